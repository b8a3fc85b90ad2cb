' Arithmetic: result subtypes, overflow widening, integer division and Mod rounding, errors.
Function T(e)
    On Error Resume Next
    Dim v : v = Eval(e)
    If Err.Number <> 0 Then T = "error " & Err.Number Else T = TypeName(v) & " " & v
End Function
WScript.Echo T("32767 + 1"), T("2147483647 + 1"), T("-32768 - 1")     ' expect: Long 32768 Double 2147483648 Long -32769
WScript.Echo T("200 * 200"), T("CByte(200) + CByte(100)"), T("CByte(2) * CByte(3)")  ' expect: Long 40000 Integer 300 Byte 6
WScript.Echo T("7 / 2"), T("6 / 3"), T("2 ^ 10"), T("2 ^ -1")          ' expect: Double 3.5 Double 2 Double 1024 Double 0.5
WScript.Echo T("7.9 \ 2"), T("-7 \ 2"), T("7 \ 2.5"), T("100000 \ 3")   ' expect: Long 4 Integer -3 Long 3 Long 33333
WScript.Echo T("-7 Mod 3"), T("19 Mod 6.7"), T("7 Mod -3"), T("5.5 Mod 2")  ' expect: Integer -1 Long 5 Integer 1 Long 0
WScript.Echo T("1 / 0"), T("1 \ 0"), T("1 Mod 0"), T("0 / 0")           ' expect: error 11 error 11 error 11 error 6
WScript.Echo T("1 + ""2"""), T("""1"" + ""2"""), T("1 + ""a"""), T("""3"" * ""4""")  ' expect: Double 3 String 12 error 13 Double 12
WScript.Echo T("True + True"), T("-True"), T("Empty + 1"), T("Empty + Empty")  ' expect: Integer -2 Integer 1 Integer 1 Integer 0
WScript.Echo T("Null + 1"), T("1 - Null"), T("Null * Null"), T("-Null")  ' expect: Null  Null  Null  Null 
WScript.Echo T("-2 ^ 2"), T("2 ^ 3 ^ 2"), T("2 + 3 * 4"), T("(2 + 3) * 4")  ' expect: Double -4 Double 64 Integer 14 Integer 20
WScript.Echo T("1.5 + 1"), T("CSng(1.5) + 1"), T("CCur(1.5) + 1"), T("#1/1/2024# + 1")  ' expect: Double 2.5 Single 2.5 Currency 2.5 Date 1/2/2024
WScript.Echo T("#1/3/2024# - #1/1/2024#"), T("(-1) ^ 0.5"), T("2147483647 * 2147483647")  ' expect: Double 2 error 5 Double 4.61168601413242E+18
WScript.Echo T("0.1 + 0.2"), T("1 / 3"), T("1E+16 + 0"), T("-(-32768)")  ' expect: Double 0.3 Double 0.333333333333333 Double 1E+16 Long 32768
WScript.Echo T("CLng(1) + 1"), T("CLng(7) Mod 2"), T("CInt(7) \ 2"), T("1.5 * 2")  ' expect: Long 2 Long 1 Integer 3 Double 3
