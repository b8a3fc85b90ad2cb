' Math functions: values, the seeded random sequence and domain errors.
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

' The generator's start value and sequence are fixed, so a script without Randomize repeats.
WScript.Echo Rnd                                          ' expect: 0.7055475
WScript.Echo Rnd                                          ' expect: 0.533424
WScript.Echo Rnd(0)                                       ' expect: 0.533424
Dim r1, r2, k, inRange
Rnd -3
Randomize 7
r1 = Rnd
Rnd -3
Randomize 7
r2 = Rnd
WScript.Echo r1 = r2                                      ' expect: True
Randomize
inRange = True
For k = 1 To 1000
    r1 = Rnd
    If r1 < 0 Or r1 >= 1 Then inRange = False
Next
WScript.Echo inRange & " " & TypeName(r1)                 ' expect: True Single

WScript.Echo T("Abs(-3)") & "|" & T("Abs(-2.5)") & "|" & T("Abs(Null)") & "|" & T("Abs(""-4"")")  ' expect: Integer 3|Double 2.5|Null|Double 4
WScript.Echo T("Atn(1) * 4")                              ' expect: Double 3.14159265358979
WScript.Echo T("Cos(0)") & "|" & T("Sin(0)") & "|" & T("Tan(0)")  ' expect: Double 1|Double 0|Double 0
WScript.Echo T("Exp(1)") & "|" & T("Exp(1000)")           ' expect: Double 2.71828182845905|error 6
WScript.Echo T("Log(Exp(2))") & "|" & T("Log(0)") & "|" & T("Log(-1)")  ' expect: Double 2|error 5|error 5
WScript.Echo T("Sqr(16)") & "|" & T("Sqr(2)") & "|" & T("Sqr(-1)")  ' expect: Double 4|Double 1.4142135623731|error 5
WScript.Echo T("Sgn(-5)") & "|" & T("Sgn(0)") & "|" & T("Sgn(2.5)") & "|" & T("Sgn(Null)")  ' expect: Integer -1|Integer 0|Integer 1|Null
WScript.Echo T("Sin(""x"")")                              ' expect: error 13
