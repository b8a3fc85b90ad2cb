' Statements: block and single-line If/ElseIf, Select Case lists, For with Step and the counter
' after the loop, For Each, Do While/Until in both positions, While/Wend, Exit, With.
For i = 1 To 10 Step 3 : s = s & i & " " : Next : WScript.Echo s & "after=" & i   ' expect: 1 4 7 10 after=13
s = "" : For i = 5 To 1 Step -2 : s = s & i : Next : WScript.Echo s, i           ' expect: 531 -1
s = "" : For i = 1 To 0 : s = "ran" : Next : WScript.Echo "[" & s & "]", i         ' expect: [] 1
s = "" : For x = 0.5 To 2 Step 0.5 : s = s & x & ";" : Next : WScript.Echo s       ' expect: 0.5;1;1.5;2;
n = 3 : s = "" : For i = 1 To n : n = 1 : s = s & i : Next : WScript.Echo s        ' expect: 123
For i = 1 To 10 : If i = 4 Then Exit For
Next : WScript.Echo i                                                               ' expect: 4
For Each v In Array(1, "b", 3) : t = t & v : Next : WScript.Echo t                  ' expect: 1b3
i = 0 : Do While i < 3 : i = i + 1 : Loop : WScript.Echo i                         ' expect: 3
i = 0 : Do : i = i + 1 : Loop Until i >= 5 : WScript.Echo i                         ' expect: 5
i = 10 : Do Until i > 3 : i = i + 1 : Loop : WScript.Echo i                         ' expect: 10
i = 10 : Do : i = i + 1 : Loop While i < 3 : WScript.Echo i                         ' expect: 11
i = 0 : Do : i = i + 1 : If i = 7 Then Exit Do
Loop : WScript.Echo i                                                               ' expect: 7
i = 0 : While i < 4 : i = i + 2 : Wend : WScript.Echo i                             ' expect: 4
For Each k In Array(1, 2, 3)
    j = 0
    Do
        j = j + 1
        If j = 2 Then Exit Do
    Loop
    If k = 2 Then Exit For
Next
WScript.Echo k, j                                                                   ' expect: 2 2
Function Grade(n)
    Select Case n
        Case 1, 2, 3 : Grade = "low"
        Case 4 : Grade = "four"
        Case "x" : Grade = "letter"
        Case Else : Grade = "other"
    End Select
End Function
WScript.Echo Grade(2), Grade(4), Grade("x"), Grade(9)                               ' expect: low four letter other
x = 5
If x > 3 Then
    WScript.Echo "big"                                                              ' expect: big
ElseIf x > 1 Then
    WScript.Echo "medium"
Else
    WScript.Echo "small"
End If
If x = 1 Then WScript.Echo "one" Else If x = 5 Then WScript.Echo "five" Else WScript.Echo "no"  ' expect: five
If x = 5 Then a = 1 : b = 2 Else a = 9 : b = 9
WScript.Echo a, b                                                                   ' expect: 1 2
Class P : Public Name, Age : End Class
Set p1 = New P
With p1
    .Name = "Ann" : .Age = 30
    WScript.Echo .Name & " " & .Age                                                 ' expect: Ann 30
End With
