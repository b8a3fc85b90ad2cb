' Many small Execute texts, like report programs that set global values.
Dim i, k
For i = 1 To 5000
    ExecuteGlobal "v" & (i Mod 50) & " = """ & i & """ : k = k + 1"
Next
WScript.Echo k, v0, v49   ' expect: 5000 5000 4999
