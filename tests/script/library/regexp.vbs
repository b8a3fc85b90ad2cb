' Regular expressions: matching, collections, replacement texts and the JScript dialect.
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

Dim re, ms, m, s
Set re = New RegExp
re.Pattern = "(\d+)-(\d+)"
WScript.Echo re.Test("a 12-34 5-6") & " " & re.Test("none")   ' expect: True False
Set ms = re.Execute("a 12-34 5-6")
WScript.Echo ms.Count & " " & TypeName(ms)                    ' expect: 1 IMatchCollection2
Set m = ms(0)
WScript.Echo m.Value & " " & m.FirstIndex & " " & m.Length & " " & m.SubMatches.Count & " " & m.SubMatches(1)  ' expect: 12-34 2 5 2 34
WScript.Echo m & " " & TypeName(m) & " " & TypeName(m.SubMatches)  ' expect: 12-34 IMatch2 ISubMatches
re.Global = True
s = ""
For Each m In re.Execute("a 12-34 5-6")
    s = s & m.FirstIndex & ":" & m.Value & ";"
Next
WScript.Echo s                                                ' expect: 2:12-34;8:5-6;
WScript.Echo re.Replace("a 12-34 5-6", "$2-$1")               ' expect: a 34-12 6-5
WScript.Echo re.Replace("a 12-34", "[$&] $$ $3 $0")           ' expect: a [12-34] $ $3 $0
WScript.Echo re.Replace("x1-2y", "<$`|$'>")                   ' expect: x<x|y>y
re.Global = False
WScript.Echo re.Replace("1-2 3-4", "n")                       ' expect: n 3-4

' Flags
re.Pattern = "abc"
WScript.Echo re.Test("xABCx")                                 ' expect: False
re.IgnoreCase = True
WScript.Echo re.Test("xABCx") & " " & re.IgnoreCase           ' expect: True True
re.IgnoreCase = False
re.Pattern = "^b"
WScript.Echo re.Test("a" & vbCrLf & "b")                      ' expect: False
re.MultiLine = True
WScript.Echo re.Test("a" & vbCrLf & "b")                      ' expect: True
re.Pattern = "a$"
WScript.Echo re.Test("a" & vbCrLf & "b")                      ' expect: True
re.MultiLine = False
WScript.Echo re.Test("a" & vbLf)                              ' expect: False

' Dialect: "." stops at CR too, \u escapes, identity escapes, lazy quantifiers, lookahead,
' back references, empty classes.
Function Found(pattern, text)
    Dim r, all
    Set r = New RegExp
    r.Pattern = pattern
    r.Global = True
    Set all = r.Execute(text)
    If all.Count = 0 Then Found = "(none)" Else Found = all(0).Value & "/" & all.Count
End Function
WScript.Echo Found("a.b", "a" & vbCr & "b")                   ' expect: (none)
WScript.Echo Found("\u0041\x42", "xAB")                       ' expect: AB/1
WScript.Echo Found("\/\:\q", "a/:q")                          ' expect: /:q/1
WScript.Echo Found("<.+?>", "<a><b>")                         ' expect: <a>/2
WScript.Echo Found("\d+(?=px)", "10px 20em 30px")             ' expect: 10/2
WScript.Echo Found("(\w)\1", "hello")                         ' expect: ll/1
WScript.Echo Found("[^]b", "ab" & vbLf & "b")                 ' expect: ab/2
WScript.Echo Found("a[]", "a")                                ' expect: (none)
WScript.Echo Found("[\d.]+", "v1.25")                         ' expect: 1.25/1
WScript.Echo Found("x*", "abc")                               ' expect: /4

re.Global = True
re.Pattern = "x*"
WScript.Echo re.Replace("abc", "-")                           ' expect: -a-b-c-
re.Pattern = "(a)|(b)"
Set m = re.Execute("b")(0)
WScript.Echo IsEmpty(m.SubMatches(0)) & " " & m.SubMatches(1)  ' expect: True b

' A function given through GetRef computes each replacement.
Function Twice(match, n, position, source)
    Twice = CStr(CInt(n) * 2)
End Function
re.Pattern = "(\d+)"
WScript.Echo re.Replace("3 apples, 12 pears", GetRef("Twice"))  ' expect: 6 apples, 24 pears

re.Pattern = "("
WScript.Echo T("re.Test(""x"")")                              ' expect: error 5017
Set re = CreateObject("VBScript.RegExp")
WScript.Echo TypeName(re) & " [" & re.Pattern & "] " & re.Global  ' expect: IRegExp2 [] False
