' Inspection functions: IsX tests, TypeName and VarType of every subtype.
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

Dim u, d
Set d = CreateObject("Scripting.Dictionary")
WScript.Echo IsArray(Array()) & " " & IsArray("a") & " " & IsArray(Empty)        ' expect: True False False
WScript.Echo IsEmpty(u) & " " & IsEmpty("") & " " & IsEmpty(Null)              ' expect: True False False
WScript.Echo IsNull(Null) & " " & IsNull(Empty) & " " & IsNull("")              ' expect: True False False
WScript.Echo IsObject(d) & " " & IsObject(Nothing) & " " & IsObject(1)          ' expect: True True False

WScript.Echo T("IsDate(""1/31/2024"")")        ' expect: Boolean True
WScript.Echo T("IsDate(""2024-03-05"")")       ' expect: Boolean True
WScript.Echo T("IsDate(""12:30"")")            ' expect: Boolean True
WScript.Echo T("IsDate(#1/1/2024#)")           ' expect: Boolean True
WScript.Echo T("IsDate(""2/30/2024"")")        ' expect: Boolean False
WScript.Echo T("IsDate(""abc"")")              ' expect: Boolean False
WScript.Echo T("IsDate("""")")                 ' expect: Boolean False
WScript.Echo T("IsDate(Null)")                 ' expect: Boolean False

WScript.Echo T("IsNumeric(Empty)")             ' expect: Boolean True
WScript.Echo T("IsNumeric(Null)")              ' expect: Boolean False
WScript.Echo T("IsNumeric("""")")              ' expect: Boolean False
WScript.Echo T("IsNumeric("" 12 "")")          ' expect: Boolean True
WScript.Echo T("IsNumeric(""1e5"")")           ' expect: Boolean True
WScript.Echo T("IsNumeric(""&H1F"")")          ' expect: Boolean True
WScript.Echo T("IsNumeric(""1,000"")")         ' expect: Boolean True
WScript.Echo T("IsNumeric(""$1"")")            ' expect: Boolean True
WScript.Echo T("IsNumeric(""-1.5"")")          ' expect: Boolean True
WScript.Echo T("IsNumeric(""12a"")")           ' expect: Boolean False
WScript.Echo T("IsNumeric(""-"")")             ' expect: Boolean False
WScript.Echo T("IsNumeric(""."")")             ' expect: Boolean False
WScript.Echo T("IsNumeric(True)")              ' expect: Boolean True
WScript.Echo T("IsNumeric(#1/1/2024#)")        ' expect: Boolean False

' TypeName and VarType side by side, one subtype a line.
WScript.Echo TypeName(u) & " " & VarType(u)                   ' expect: Empty 0
WScript.Echo TypeName(Null) & " " & VarType(Null)             ' expect: Null 1
WScript.Echo TypeName(1) & " " & VarType(1)                   ' expect: Integer 2
WScript.Echo TypeName(40000) & " " & VarType(40000)           ' expect: Long 3
WScript.Echo TypeName(CSng(1)) & " " & VarType(CSng(1))       ' expect: Single 4
WScript.Echo TypeName(1.5) & " " & VarType(1.5)               ' expect: Double 5
WScript.Echo TypeName(CCur(1)) & " " & VarType(CCur(1))       ' expect: Currency 6
WScript.Echo TypeName(Now) & " " & VarType(Now)               ' expect: Date 7
WScript.Echo TypeName("a") & " " & VarType("a")               ' expect: String 8
WScript.Echo TypeName(d) & " " & VarType(d)                   ' expect: Dictionary 9
WScript.Echo TypeName(Nothing) & " " & VarType(Nothing)       ' expect: Nothing 9
WScript.Echo TypeName(True) & " " & VarType(True)             ' expect: Boolean 11
WScript.Echo TypeName(CByte(1)) & " " & VarType(CByte(1))     ' expect: Byte 17
WScript.Echo TypeName(Array(1)) & " " & VarType(Array(1))     ' expect: Variant() 8204
WScript.Echo TypeName(CreateObject("Scripting.FileSystemObject"))  ' expect: FileSystemObject
WScript.Echo TypeName(New RegExp)                                   ' expect: IRegExp2
