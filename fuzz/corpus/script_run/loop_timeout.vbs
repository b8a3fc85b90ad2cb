Class C
Public Default Property Get V(i)
V = i
End Property
End Class
Set o = New C
x = o(3)
Do While x < 1000000
x = x + 1
Loop
