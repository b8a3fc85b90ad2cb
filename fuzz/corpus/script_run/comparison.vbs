' Comparisons: binary string order, numbers below strings, the literal coercion rule, Null, Is.
a = 1 : b = "1"
WScript.Echo a = "1", a = b, a < b, "10" < "9", "a" < "B"      ' expect: True False True True False
WScript.Echo 2 < "10", "2" < "10", b = 1, b > 0                ' expect: True False True True
WScript.Echo IsNull(1 = Null), IsNull(Null <> Null), Empty = 0, Empty = "" ' expect: True True True True
WScript.Echo 1 = 1.0, 3 > 2.5, #1/2/2024# > #1/1/2024#, True = -1  ' expect: True True True True
Set o = New RegExp : Set p = o
WScript.Echo o Is p, o Is Nothing, Nothing Is Nothing          ' expect: True False True
If Null Then WScript.Echo "null is true" Else WScript.Echo "null is false"  ' expect: null is false
x = 1 Is Nothing                                               ' expect runtime error: Object required
