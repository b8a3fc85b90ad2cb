' Execute, ExecuteGlobal and Eval: scope of the running procedure versus global scope.
Execute "x = 1 : y = x + 1"
WScript.Echo x, y                                  ' expect: 1 2
Sub Local()
    Dim v : v = 10
    Execute "v = v + 5"
    WScript.Echo v, Eval("v * 2")                  ' expect: 15 30
    ExecuteGlobal "globalFromSub = v"              ' global scope: the local v is not seen
    ExecuteGlobal "globalValue = " & v
End Sub
Local
WScript.Echo IsEmpty(globalFromSub), globalValue  ' expect: True 15
ExecuteGlobal "Function Sq(n) : Sq = n * n : End Function"
WScript.Echo Sq(7), Eval("Sq(3) = 9")              ' expect: 49 True
For i = 1 To 3 : Execute "t" & i & " = " & i * 10 : Next
WScript.Echo t1 + t2 + t3                          ' expect: 60
Execute "If x Then"                                ' expect runtime error: Expected 'End'
