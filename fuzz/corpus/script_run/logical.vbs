' And, Or, Not, Xor, Eqv, Imp are bitwise with True = -1; Null rules of three-valued logic.
WScript.Echo True And False, True Or False, Not True, True Xor True   ' expect: False True False False
WScript.Echo 12 And 10, 12 Or 10, 12 Xor 10, Not 0, Not 5              ' expect: 8 14 6 -1 -6
WScript.Echo True Eqv False, False Imp False, TypeName(1 And True)     ' expect: False True Integer
WScript.Echo Null And False, IsNull(Null And True), Null Or True, IsNull(Null Or False)  ' expect: False True True True
WScript.Echo IsNull(Not Null), IsNull(Null Xor True), False Imp Null    ' expect: True True True
WScript.Echo Not 1 = 2, Not (1 = 2) And True                            ' expect: True True
