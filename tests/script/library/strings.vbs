' String functions: values, Null handling and argument errors.
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

WScript.Echo T("Asc(""A"")") & "|" & T("Asc(""abc"")") & "|" & T("Asc("""")")      ' expect: Integer 65|Integer 97|error 5
WScript.Echo T("Asc(ChrW(8364))") & "|" & T("AscW(ChrW(8364))") & "|" & T("AscB(""A"")")  ' expect: Integer 128|Integer 8364|Integer 65
WScript.Echo T("Asc(Null)")                                                ' expect: error 94
WScript.Echo T("Chr(65)") & "|" & T("AscW(Chr(128))") & "|" & T("Chr(256)") & "|" & T("Chr(-1)")  ' expect: String A|Integer 8364|error 5|error 5
WScript.Echo T("ChrW(8364) = Chr(128)") & "|" & T("ChrW(65536)")           ' expect: Boolean True|error 5
WScript.Echo T("AscW(ChrW(-1))")                                           ' expect: Integer -1

WScript.Echo T("InStr(""abcabc"", ""c"")")                   ' expect: Long 3
WScript.Echo T("InStr(4, ""abcabc"", ""c"")")                ' expect: Long 6
WScript.Echo T("InStr(""abc"", """")")                       ' expect: Long 1
WScript.Echo T("InStr("""", ""a"")")                         ' expect: Long 0
WScript.Echo T("InStr(1, ""ABC"", ""b"", 1)")                ' expect: Long 2
WScript.Echo T("InStr(1, ""ABC"", ""b"", vbBinaryCompare)")  ' expect: Long 0
WScript.Echo T("InStr(9, ""abc"", ""a"")")                   ' expect: Long 0
WScript.Echo T("InStr(Null, ""a"")")                         ' expect: Null
WScript.Echo T("InStr(0, ""a"", ""a"")")                     ' expect: error 5
WScript.Echo T("InStrRev(""abcabc"", ""c"")")                ' expect: Long 6
WScript.Echo T("InStrRev(""abcabc"", ""c"", 5)")             ' expect: Long 3
WScript.Echo T("InStrRev(""abcabc"", ""B"", -1, 1)")         ' expect: Long 5
WScript.Echo T("InStrRev(""abc"", ""x"")")                   ' expect: Long 0
WScript.Echo T("InStrRev(""abc"", ""a"", 0)")                ' expect: error 5

WScript.Echo T("Join(Array(1, 2, 3))")                       ' expect: String 1 2 3
WScript.Echo T("Join(Array(""a"", ""b""), """")")           ' expect: String ab
WScript.Echo T("Join(Array(), "","")")                       ' expect: String 
WScript.Echo T("Join(""a"")")                                ' expect: error 13

WScript.Echo T("LCase(""AbC"")") & "|" & T("UCase(""aBc"")") & "|" & T("UCase(Null)")  ' expect: String abc|String ABC|Null
WScript.Echo T("Left(""abc"", 2)") & "|" & T("Left(""abc"", 9)") & "|" & T("Left(Null, 1)")  ' expect: String ab|String abc|Null
WScript.Echo T("Left(""abc"", -1)") & "|" & T("Right(""abc"", 2)") & "|" & T("Right(""abc"", 0)")  ' expect: error 5|String bc|String 
WScript.Echo T("Len(""abc"")") & "|" & T("Len(123)") & "|" & T("Len(Empty)") & "|" & T("Len(Null)")  ' expect: Long 3|Long 3|Long 0|Null
WScript.Echo "[" & LTrim("  a  ") & "][" & RTrim("  a  ") & "][" & Trim("  a  ") & "]"  ' expect: [a  ][  a][a]
WScript.Echo Len(Trim(vbTab & "a" & vbTab & " "))                                  ' expect: 3
WScript.Echo T("Mid(""abcdef"", 2, 3)") & "|" & T("Mid(""abc"", 2)") & "|" & T("Mid(""abc"", 5)")  ' expect: String bcd|String bc|String 
WScript.Echo T("Mid(""abc"", 0)") & "|" & T("Mid(""abc"", 1, -1)") & "|" & T("Mid(Null, 1)")  ' expect: error 5|error 5|Null

WScript.Echo T("Replace(""aAa"", ""a"", ""x"")")                   ' expect: String xAx
WScript.Echo T("Replace(""aAa"", ""a"", ""x"", 1, -1, 1)")         ' expect: String xxx
WScript.Echo T("Replace(""abcabc"", ""b"", ""X"", 3)")             ' expect: String caXc
WScript.Echo T("Replace(""a.b.c"", ""."", """", 1, 1)")            ' expect: String ab.c
WScript.Echo T("Replace(""abc"", """", ""X"")")                    ' expect: String abc
WScript.Echo T("Replace(""abc"", ""b"", ""X"", 1, 0)")             ' expect: String abc
WScript.Echo T("Replace(""aaa"", ""aa"", ""b"")")                  ' expect: String ba
WScript.Echo T("Replace(Null, ""a"", ""b"")")                      ' expect: Null
WScript.Echo T("Replace(""abc"", ""b"", ""X"", 0)")                ' expect: error 5

WScript.Echo T("Space(3) & ""|""") & "|" & T("Space(-1)")          ' expect: String    ||error 5
WScript.Echo T("String(3, ""ab"")") & "|" & T("String(2, 65)") & "|" & T("String(-1, ""a"")")  ' expect: String aaa|String AA|error 5
' One call cannot build a string of more than 64M characters (a guard of this engine).
WScript.Echo T("Len(Space(2 ^ 26 + 1))") & "|" & T("String(2 ^ 27, ""x"")")  ' expect: error 14|error 14
WScript.Echo T("StrReverse(""abc"")") & "|" & T("StrReverse("""")") & "|" & T("StrReverse(Null)")  ' expect: String cba|String |error 94

Dim parts
parts = Split("a,b,c", ",")
WScript.Echo UBound(parts) & " " & parts(2)              ' expect: 2 c
parts = Split("")
WScript.Echo UBound(parts)                               ' expect: -1
parts = Split("a,b,c", ",", 2)
WScript.Echo UBound(parts) & " " & parts(1)              ' expect: 1 b,c
parts = Split("aXbxc", "x", -1, vbTextCompare)
WScript.Echo Join(parts, "+")                            ' expect: a+b+c
parts = Split("a  b")
WScript.Echo UBound(parts) & "[" & parts(1) & "]"        ' expect: 2[]
parts = Split("abc", "")
WScript.Echo UBound(parts) & " " & parts(0)              ' expect: 0 abc
WScript.Echo T("Split(Null)")                            ' expect: error 94

WScript.Echo T("StrComp(""a"", ""B"")") & "|" & T("StrComp(""a"", ""B"", 1)") & "|" & T("StrComp(""a"", ""a"")")  ' expect: Integer 1|Integer -1|Integer 0
WScript.Echo T("StrComp(""a"", Null)") & "|" & T("StrComp(""ab"", ""a"")") & "|" & T("StrComp(1, ""1"")")  ' expect: Null|Integer 1|Integer 0

Dim fruit
fruit = Array("apple", "Banana", "cherry")
WScript.Echo "[" & Join(Filter(fruit, "b"), ",") & "]"          ' expect: []
WScript.Echo Join(Filter(fruit, "b", True, vbTextCompare), ",")  ' expect: Banana
WScript.Echo Join(Filter(fruit, "a", False), ",")                ' expect: cherry
WScript.Echo Join(Filter(fruit, "e"), ",")                       ' expect: apple,cherry
WScript.Echo UBound(Filter(fruit, "zz"))                         ' expect: -1
WScript.Echo T("Filter(""abc"", ""a"")")                         ' expect: error 13

WScript.Echo Escape("a b&c=d/e@f*g_h+i-j.k")          ' expect: a%20b%26c%3Dd/e@f*g_h+i-j.k
WScript.Echo Escape(Chr(228) & ChrW(8364))            ' expect: %E4%u20AC
WScript.Echo Unescape("%41%u20ac%zz%") = "A" & ChrW(8364) & "%zz%"   ' expect: True
