' Concatenation with & and +, Null propagation and string conversions of numbers.
WScript.Echo "a" & 1 & True & Empty & 2.5                   ' expect: a1True2.5
WScript.Echo IsNull(Null & Null), "x" & Null & "y"          ' expect: True xy
WScript.Echo TypeName(1 & 2), 1 & 2 + 3                     ' expect: String 15
WScript.Echo "ab" + "cd", TypeName("1" + 1)                 ' expect: abcd Double
WScript.Echo CStr(1E+16), CStr(1234567890123456), CStr(-0.5), CStr(100)  ' expect: 1E+16 1.23456789012346E+15 -0.5 100
WScript.Echo CStr(True), "[" & CStr(Empty) & "]"            ' expect: True []
x = CStr(Null)                                              ' expect runtime error: Invalid use of Null
