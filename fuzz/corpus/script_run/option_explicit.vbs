' Option Explicit: declared names work, an undeclared one is error 500 when it runs.
Option Explicit
Dim a : a = 1
Sub S() : Dim b : b = a + 1 : WScript.Echo b : End Sub
S                                                  ' expect: 2
c = 3                                              ' expect runtime error: Variable is undefined
