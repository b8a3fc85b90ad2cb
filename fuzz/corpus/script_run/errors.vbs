' Err object and On Error: per-procedure Resume Next, If conditions continuing into Then, a callee
' without a handler leaving at the error, Err.Raise with numbers and texts, Clear, GoTo 0.
On Error Resume Next
x = 1 / 0
WScript.Echo Err.Number, Err.Description, Err.Source   ' expect: 11 Division by zero Microsoft VBScript runtime error
Err.Clear : WScript.Echo Err.Number                    ' expect: 0
If 1 / 0 Then WScript.Echo "then branch" Else WScript.Echo "else branch"  ' expect: then branch
Sub Inner()
    WScript.Echo "inner before"
    y = 1 / 0
    WScript.Echo "inner after"
End Sub
Err.Clear
Inner                                                  ' expect: inner before
WScript.Echo "caller goes on", Err.Number              ' expect: caller goes on 11
Sub Guarded()
    On Error Resume Next
    z = CInt("x")
    WScript.Echo "guarded", Err.Number
End Sub
Err.Clear
Guarded                                                ' expect: guarded 13
Err.Raise 5 : WScript.Echo Err.Number, Err.Description ' expect: 5 Invalid procedure call or argument
Err.Raise 1234, "MySource", "My text" : WScript.Echo Err.Number, Err.Source, Err.Description  ' expect: 1234 MySource My text
Err.Raise vbObjectError + 1 : WScript.Echo Err.Number  ' expect: -2147221503
Dim arr(1) : arr(5) = 1 : WScript.Echo Err.Number      ' expect: 9
Set o = Nothing : o.Foo : WScript.Echo Err.Number      ' expect: 91
Err.Clear : q = undefinedFunction(1) : WScript.Echo Err.Number  ' expect: 13
On Error GoTo 0
WScript.Echo Err.Number                                ' expect: 0
Err.Raise 6                                            ' expect runtime error: Overflow
