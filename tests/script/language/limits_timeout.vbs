' A loop that never ends stops at the time limit, and Resume Next does not catch it.
' tvscript-timeout-ms: 200
On Error Resume Next
Do                                                 ' expect runtime error: Script timed out
    n = n + 1
Loop
