Dim a, b
a = 1 + 2
WScript.Echo a, "x" & a
Function fib(n)
  If n < 2 Then fib = n Else fib = fib(n-1) + fib(n-2)
End Function
WScript.Echo fib(20)
Class Foo
  Public x
  Private Sub Class_Initialize() : x = 5 : End Sub
  Public Default Property Get Val() : Val = x * 2 : End Property
  Sub Inc(ByRef n) : n = n + 1 : End Sub
End Class
Set o = New Foo
WScript.Echo o.x, o.Val, "" & o
n = 1
o.Inc n
WScript.Echo n
Sub Inc2(v) : v = v + 1 : End Sub
Inc2 (n)
WScript.Echo n
Call Inc2(n)
WScript.Echo n
Dim arr(3)
arr(1) = "q"
Inc2 arr(2)
WScript.Echo arr(1), arr(2)
For i = 1 To 3 : s = s & i : Next
WScript.Echo s, i
On Error Resume Next
x = 1 / 0
WScript.Echo Err.Number, Err.Description
If 1/0 = 5 Then WScript.Echo "then"
On Error GoTo 0
WScript.Echo 32767 + 1, &HFFFF, &HFFFF&, 7.9\2, -7 Mod 3, 0.1+0.2, 1/3, 1E+16, 1234567890123456
Execute "zz = 42"
WScript.Echo zz, Eval("zz * 2")
Select Case 3
Case 1, 2: WScript.Echo "no"
Case 3: WScript.Echo "three"
End Select
x = 1/0
