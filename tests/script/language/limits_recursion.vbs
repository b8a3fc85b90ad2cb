' Endless recursion is "Out of stack space" (28), which a handler can catch.
Function Down(n) : Down = Down(n + 1) : End Function  ' expect runtime error: Out of stack space
On Error Resume Next
x = Down(1)
WScript.Echo Err.Number, Err.Description           ' expect: 28 Out of stack space
On Error GoTo 0
x = Down(1)
