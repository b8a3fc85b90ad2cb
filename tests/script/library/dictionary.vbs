' Scripting.Dictionary: adding, reading, compare modes, keys of several types, For Each, errors.
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

Dim d, k, s, e
Set d = CreateObject("Scripting.Dictionary")
d.Add "b", 2
d.Add "a", 1
d("c") = 3
d.Item("d") = 4
WScript.Echo d.Count & " " & d("a") & " " & d.Item("c")   ' expect: 4 1 3
WScript.Echo Join(d.Keys, ",") & " " & Join(d.Items, ",")  ' expect: b,a,c,d 2,1,3,4
s = ""
For Each k In d
    s = s & k & "=" & d(k) & ";"
Next
WScript.Echo s                                             ' expect: b=2;a=1;c=3;d=4;
WScript.Echo d.Exists("a") & " " & d.Exists("A")           ' expect: True False
' Reading a missing key adds it with an Empty value.
WScript.Echo IsEmpty(d("new")) & " " & d.Count             ' expect: True 5
d.Remove "new"
d.Key("a") = "z"
WScript.Echo Join(d.Keys, ",") & " " & d("z")              ' expect: b,z,c,d 1
On Error Resume Next
d.Add "b", 9
WScript.Echo Err.Number & " " & Err.Description            ' expect: 457 This key is already associated with an element of this collection
Err.Clear
d.Remove "nothing here"
WScript.Echo Err.Number & " " & Err.Description            ' expect: 32811 Element not found
Err.Clear
d.CompareMode = vbTextCompare
WScript.Echo Err.Number                                    ' expect: 5
Err.Clear
d.Key("missing") = "x"
WScript.Echo Err.Number                                    ' expect: 32811
On Error GoTo 0
d.RemoveAll
WScript.Echo d.Count & " " & UBound(d.Keys)                ' expect: 0 -1

' Text compare: keys differ only in case are one key.
d.CompareMode = vbTextCompare
d.Add "Key", 1
WScript.Echo d.Exists("KEY") & " " & d("kEy") & " " & d.CompareMode   ' expect: True 1 1

' Keys compare by value: numbers of different subtypes are one key, a number and its text are two.
Set e = CreateObject("Scripting.Dictionary")
e.Add 1, "one"
e.Add "1", "text one"
WScript.Echo e(CLng(1)) & "|" & e(1.0) & "|" & e("1") & "|" & e.Count   ' expect: one|one|text one|2
e.Add d, "an object key"
WScript.Echo e(d) & " " & TypeName(e.Keys()(2))            ' expect: an object key Dictionary
Set e(5) = d
WScript.Echo e(5).Count                                    ' expect: 1
