' Loops with integer and floating arithmetic in a procedure.
Function Work(n)
    Dim i, j, total, x
    total = 0
    For i = 1 To n
        For j = 1 To 10
            total = total + (i Mod 7) * j - (j \ 3)
        Next
        x = x + i / 4
    Next
    Work = total & " " & x
End Function
WScript.Echo Work(100000)   ' expect: 15000000 1250012500
