' Array functions: Array, LBound and UBound over ranks, and their errors.
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

Dim a, m(2, 3), e
a = Array(1, "two", 3.5)
WScript.Echo LBound(a) & " " & UBound(a) & " " & a(1)     ' expect: 0 2 two
WScript.Echo UBound(Array()) & " " & LBound(Array())      ' expect: -1 0
WScript.Echo Array(Array(1, 2), 3)(0)(1)                  ' expect: 2
WScript.Echo UBound(m) & " " & UBound(m, 1) & " " & UBound(m, 2) & " " & LBound(m, 2)  ' expect: 2 2 3 0
WScript.Echo T("UBound(m, 3)")                            ' expect: error 9
WScript.Echo T("UBound(m, 0)")                            ' expect: error 9
WScript.Echo T("UBound(""x"")")                           ' expect: error 13
WScript.Echo T("LBound(e)")                               ' expect: error 13
WScript.Echo T("Array(1)(1)")                             ' expect: error 9
a(0) = "changed"
WScript.Echo a(0) & " " & TypeName(a)                     ' expect: changed Variant()
