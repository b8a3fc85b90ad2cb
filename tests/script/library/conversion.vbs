' Conversion functions: result type and value of each case, or the run-time error it raises.
Function T(code)
    Dim v
    On Error Resume Next
    v = Eval(code)
    If Err.Number <> 0 Then
        T = "error " & Err.Number
    ElseIf IsNull(v) Then
        T = "Null"
    Else
        T = TypeName(v) & " " & v
    End If
End Function

WScript.Echo T("CBool(0)")                  ' expect: Boolean False
WScript.Echo T("CBool(-0.5)")               ' expect: Boolean True
WScript.Echo T("CBool(""true"")")           ' expect: Boolean True
WScript.Echo T("CBool(""False"")")          ' expect: Boolean False
WScript.Echo T("CBool(""1"")")              ' expect: Boolean True
WScript.Echo T("CBool(Empty)")              ' expect: Boolean False
WScript.Echo T("CBool(""yes"")")            ' expect: error 13
WScript.Echo T("CBool("""")")               ' expect: error 13
WScript.Echo T("CBool(Null)")               ' expect: error 94

WScript.Echo T("CByte(255)")                ' expect: Byte 255
WScript.Echo T("CByte(2.5)")                ' expect: Byte 2
WScript.Echo T("CByte(3.5)")                ' expect: Byte 4
WScript.Echo T("CByte(-0.4)")               ' expect: Byte 0
WScript.Echo T("CByte(256)")                ' expect: error 6
WScript.Echo T("CByte(-1)")                 ' expect: error 6

WScript.Echo T("CCur(1234.5)")              ' expect: Currency 1234.5
WScript.Echo T("CCur(""1,234.56789"")")     ' expect: Currency 1234.5679
WScript.Echo T("CCur(123456789012.3456)")   ' expect: Currency 123456789012.3456
WScript.Echo T("CCur(1E+16)")               ' expect: error 6

WScript.Echo T("CDate(""1/31/2024"")")      ' expect: Date 1/31/2024
WScript.Echo T("CDate(""2024-03-05"")")     ' expect: Date 3/5/2024
WScript.Echo T("CDate(""March 5, 2024"")")  ' expect: Date 3/5/2024
WScript.Echo T("CDate(""5-Mar-2024"")")     ' expect: Date 3/5/2024
WScript.Echo T("CDate(""3/5/2024 14:07"")") ' expect: Date 3/5/2024 2:07:00 PM
WScript.Echo T("CDate(""2:07:09 am"")")     ' expect: Date 2:07:09 AM
WScript.Echo T("CDate(45000)")              ' expect: Date 3/15/2023
WScript.Echo T("CDate(45000.75)")           ' expect: Date 3/15/2023 6:00:00 PM
WScript.Echo T("CDate(0)")                  ' expect: Date 12:00:00 AM
WScript.Echo T("CDate(-1)")                 ' expect: Date 12/29/1899
WScript.Echo T("CDate(""13/1/2024"")")      ' expect: Date 1/13/2024
WScript.Echo T("CDate(""2/30/2024"")")      ' expect: error 13
WScript.Echo T("CDate(""abc"")")            ' expect: error 13
WScript.Echo T("CDate(Null)")               ' expect: error 94

WScript.Echo T("CDbl(""1,234.5"")")         ' expect: Double 1234.5
WScript.Echo T("CDbl("" 1e3 "")")           ' expect: Double 1000
WScript.Echo T("CDbl(""&HFF"")")            ' expect: Double 255
WScript.Echo T("CDbl(""$12.5"")")           ' expect: Double 12.5
WScript.Echo T("CDbl(""-.5"")")             ' expect: Double -0.5
WScript.Echo T("CDbl(True)")                ' expect: Double -1
WScript.Echo T("CDbl(Empty)")               ' expect: Double 0
WScript.Echo T("CDbl(#1/1/2000#)")          ' expect: Double 36526
WScript.Echo T("CDbl(""12a"")")             ' expect: error 13

WScript.Echo T("CInt(2.5)")                 ' expect: Integer 2
WScript.Echo T("CInt(3.5)")                 ' expect: Integer 4
WScript.Echo T("CInt(-2.5)")                ' expect: Integer -2
WScript.Echo T("CInt(-32768.5)")            ' expect: Integer -32768
WScript.Echo T("CInt(""  42 "")")           ' expect: Integer 42
WScript.Echo T("CInt(True)")                ' expect: Integer -1
WScript.Echo T("CInt(32767.5)")             ' expect: error 6
WScript.Echo T("CInt(""x"")")               ' expect: error 13

WScript.Echo T("CLng(2.5)")                 ' expect: Long 2
WScript.Echo T("CLng(-2147483648.5)")       ' expect: Long -2147483648
WScript.Echo T("CLng(2147483647.5)")        ' expect: error 6

WScript.Echo T("CSng(1/3)")                 ' expect: Single 0.3333333
WScript.Echo T("CSng(16777217)")            ' expect: Single 1.677722E+07
WScript.Echo T("CSng(1E+39)")               ' expect: error 6

WScript.Echo T("CStr(0.1+0.2)")             ' expect: String 0.3
WScript.Echo T("CStr(1/3)")                 ' expect: String 0.333333333333333
WScript.Echo T("CStr(1E+16)")               ' expect: String 1E+16
WScript.Echo T("CStr(1234567890123456)")    ' expect: String 1.23456789012346E+15
WScript.Echo T("CStr(123456789012345)")     ' expect: String 123456789012345
WScript.Echo T("CStr(-1.5E-20)")            ' expect: String -1.5E-20
WScript.Echo T("CStr(True)")                ' expect: String True
WScript.Echo T("CStr(Empty)")               ' expect: String 
WScript.Echo T("CStr(#1/2/2024 13:05#)")    ' expect: String 1/2/2024 1:05:00 PM
WScript.Echo T("CStr(CCur(0.1))")           ' expect: String 0.1
WScript.Echo T("CStr(Null)")                ' expect: error 94

WScript.Echo T("Hex(255)")                  ' expect: String FF
WScript.Echo T("Hex(-1)")                   ' expect: String FFFF
WScript.Echo T("Hex(65536)")                ' expect: String 10000
WScript.Echo T("Hex(-65536)")               ' expect: String FFFF0000
WScript.Echo T("Hex(2.5)")                  ' expect: String 2
WScript.Echo T("Hex(Empty)")                ' expect: String 0
WScript.Echo T("Hex(Null)")                 ' expect: Null
WScript.Echo T("Hex(4294967296)")           ' expect: error 6
WScript.Echo T("Oct(8)")                    ' expect: String 10
WScript.Echo T("Oct(-1)")                   ' expect: String 177777

WScript.Echo T("Int(-2.5)")                 ' expect: Double -3
WScript.Echo T("Fix(-2.5)")                 ' expect: Double -2
WScript.Echo T("Int(2.99)")                 ' expect: Double 2
WScript.Echo T("Int(7)")                    ' expect: Integer 7
WScript.Echo T("Int(""3.7"")")              ' expect: Double 3
WScript.Echo T("Fix(CCur(-1.5))")           ' expect: Currency -1
WScript.Echo T("Int(Null)")                 ' expect: Null
WScript.Echo T("Int(""a"")")                ' expect: error 13

WScript.Echo T("Round(2.5)")                ' expect: Double 2
WScript.Echo T("Round(3.5)")                ' expect: Double 4
WScript.Echo T("Round(-2.5)")               ' expect: Double -2
WScript.Echo T("Round(0.5)")                ' expect: Double 0
WScript.Echo T("Round(2.125, 2)")           ' expect: Double 2.12
WScript.Echo T("Round(12.3456, 2)")         ' expect: Double 12.35
WScript.Echo T("Round(7)")                  ' expect: Integer 7
WScript.Echo T("Round(1.5, -1)")            ' expect: error 5
WScript.Echo T("Round(Null)")               ' expect: Null
