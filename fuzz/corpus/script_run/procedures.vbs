' Procedures: ByRef by default (variables and array elements), the parenthesised-argument copy,
' ByVal, recursion, functions returning values, Exit Sub/Function, locals shadowing globals.
Sub Inc(n) : n = n + 1 : End Sub
Sub IncByVal(ByVal n) : n = n + 1 : End Sub
Function Twice(x) : Twice = x * 2 : End Function
Function Fact(n)
    If n <= 1 Then Fact = 1 : Exit Function
    Fact = n * Fact(n - 1)
End Function
n = 1
Inc n : WScript.Echo n            ' expect: 2
Inc (n) : WScript.Echo n          ' expect: 2
Call Inc(n) : WScript.Echo n      ' expect: 3
IncByVal n : WScript.Echo n       ' expect: 3
Dim a(2) : a(1) = 10
Inc a(1) : WScript.Echo a(1)      ' expect: 11
Inc (a(1)) : WScript.Echo a(1)    ' expect: 11
WScript.Echo Twice(21), Fact(10), Twice(Twice(2))  ' expect: 42 3628800 8
Dim g : g = "global"
Sub Shadow() : Dim g : g = "local" : End Sub
Sub SetGlobal() : g = "changed" : End Sub
Shadow : WScript.Echo g           ' expect: global
SetGlobal : WScript.Echo g        ' expect: changed
Sub Implicit() : newLocal = 5 : End Sub
Implicit : WScript.Echo IsEmpty(newLocal)   ' expect: True
Sub Early(x)
    If x Then Exit Sub
    WScript.Echo "ran"
End Sub
Early True : Early False          ' expect: ran
Function NoValue() : End Function
WScript.Echo IsEmpty(NoValue())   ' expect: True
Sub Swap(p, q) : Dim t : t = p : p = q : q = t : End Sub
x = "x" : y = "y" : Swap x, y : WScript.Echo x & y   ' expect: yx
Function Later() : Later = DefinedBelow() : End Function
Function DefinedBelow() : DefinedBelow = "hoisted" : End Function
WScript.Echo Later()              ' expect: hoisted
Set r = GetRef("Twice") : WScript.Echo r(5)   ' expect: 10
Twice 1, 2                        ' expect runtime error: Wrong number of arguments
