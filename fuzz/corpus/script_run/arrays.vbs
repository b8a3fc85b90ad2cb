' Arrays: fixed and dynamic, ReDim Preserve of the last dimension, copies on assignment, Erase,
' multi-dimensional indexing and subscript errors.
Dim a(2) : a(0) = "x" : WScript.Echo UBound(a), a(0), IsEmpty(a(2))   ' expect: 2 x True
Dim m(1, 2) : m(1, 2) = 12 : WScript.Echo UBound(m, 1), UBound(m, 2), m(1, 2)  ' expect: 1 2 12
Dim d() : ReDim d(3) : d(3) = "last" : ReDim Preserve d(5) : WScript.Echo UBound(d), d(3)  ' expect: 5 last
ReDim d(1) : WScript.Echo IsEmpty(d(0)), UBound(d)                   ' expect: True 1
ReDim g(1, 1) : g(0, 1) = "k" : ReDim Preserve g(1, 3) : WScript.Echo g(0, 1), UBound(g, 2)  ' expect: k 3
b = a : b(0) = "changed" : WScript.Echo a(0), b(0)                     ' expect: x changed
Function Fill() : Dim r(1) : r(0) = "f" : Fill = r : End Function
c = Fill() : WScript.Echo c(0), Fill()(0)                              ' expect: f f
Erase a : WScript.Echo UBound(a), IsEmpty(a(0))                        ' expect: 2 True
n = Array(Array(1, 2), Array(3, 4)) : WScript.Echo n(1)(0)             ' expect: 3
For Each v In m : cnt = cnt + 1 : Next : WScript.Echo cnt              ' expect: 6
On Error Resume Next
ReDim a(5) : WScript.Echo Err.Number                                  ' expect: 10
Err.Clear : x = m(2, 0) : WScript.Echo Err.Number                      ' expect: 9
Err.Clear : x = m(1) : WScript.Echo Err.Number                         ' expect: 9
Err.Clear : ReDim Preserve g(3, 3) : WScript.Echo Err.Number           ' expect: 9
On Error GoTo 0
Sub Grow(arr) : ReDim arr(9) : End Sub
Dim e() : Grow e : WScript.Echo UBound(e)                              ' expect: 9
Sub Lock(el) : ReDim e(1) : End Sub                                    ' expect runtime error: This array is fixed or temporarily locked
Lock e(0)
