' Literal types and their values: integer widening, hex/octal forms, dates, strings, bracketed names.
WScript.Echo TypeName(1), TypeName(32767), TypeName(32768), TypeName(40000)        ' expect: Integer Integer Long Long
WScript.Echo TypeName(2147483647), TypeName(2147483648), TypeName(1.5), TypeName(1E3)  ' expect: Long Double Double Double
WScript.Echo &HFFFF, &HFFFF&, &H8000, &H10000, &HFFFFFFFF, &O17, &h1f               ' expect: -1 65535 -32768 65536 -1 15 31
WScript.Echo TypeName(&HFF), TypeName(&HFFFF&)                                    ' expect: Integer Long
WScript.Echo .5, 1.25E2, 1E-5, 1E15, 123456789012345                              ' expect: 0.5 125 1E-05 1E+15 123456789012345
WScript.Echo "say ""hi""", Len("")                                                ' expect: say "hi" 0
WScript.Echo #1/2/2024#, #2024-03-04#, #3:05:00 PM#, TypeName(#1/2/2024#)         ' expect: 1/2/2024 3/4/2024 3:05:00 PM Date
WScript.Echo #12/31/1999 23:59:59#, CDbl(#1/1/1900#)                              ' expect: 12/31/1999 11:59:59 PM 2
[my var] = 3 : WScript.Echo [my var] * 2                                          ' expect: 6
WScript.Echo True, False, TypeName(Empty), IsNull(Null), TypeName(Nothing)        ' expect: True False Empty True Nothing
x = 1 + _
    2
WScript.Echo x    ' a continued line   ' expect: 3
REM a remark line
WScript.Echo "a" : WScript.Echo "b"                                               ' expect: a
' expect: b
