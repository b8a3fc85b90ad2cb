For i = 1 To 2
    WScript.Echo i
Wend                                               ' expect compile error
