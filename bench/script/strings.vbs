' String building with & in a loop, then reading it back character by character.
Dim s, i, n
For i = 1 To 20000
    s = s & Chr(65 + i Mod 26)
Next
For i = 1 To Len(s)
    If Mid(s, i, 1) = "Z" Then n = n + 1
Next
WScript.Echo Len(s), n   ' expect: 20000 769
