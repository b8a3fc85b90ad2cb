' Formatting functions with the US locale: groups, parentheses, leading digits, date forms.
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

WScript.Echo FormatNumber(1234.5)                           ' expect: 1,234.50
WScript.Echo FormatNumber(1234.567, 1)                      ' expect: 1,234.6
WScript.Echo FormatNumber(1234.567, 0)                      ' expect: 1,235
WScript.Echo FormatNumber(0.5, 2, vbFalse)                  ' expect: .50
WScript.Echo FormatNumber(0.5, 2, vbTrue)                   ' expect: 0.50
WScript.Echo FormatNumber(-1234.5, 2, , vbTrue)             ' expect: (1,234.50)
WScript.Echo FormatNumber(-1234.5, 2, , vbFalse)            ' expect: -1,234.50
WScript.Echo FormatNumber(1234.5, 2, , , vbFalse)           ' expect: 1234.50
WScript.Echo FormatNumber("1e6", 0)                         ' expect: 1,000,000
WScript.Echo FormatNumber(1E+20, 0)                         ' expect: 100,000,000,000,000,000,000
WScript.Echo T("FormatNumber(""abc"")")                     ' expect: error 13

WScript.Echo FormatCurrency(1234.5)                         ' expect: $1,234.50
WScript.Echo FormatCurrency(-1234.5)                        ' expect: ($1,234.50)
WScript.Echo FormatCurrency(-5, 0, , vbFalse)               ' expect: -$5
WScript.Echo FormatPercent(0.1234)                          ' expect: 12.34%
WScript.Echo FormatPercent(0.5, 0)                          ' expect: 50%
WScript.Echo FormatPercent(-0.05, 1)                        ' expect: -5.0%
WScript.Echo FormatPercent(12.5, 0)                         ' expect: 1,250%

Dim when
when = #3/5/2024 1:45:30 PM#
WScript.Echo FormatDateTime(when)                              ' expect: 3/5/2024 1:45:30 PM
WScript.Echo FormatDateTime(when, vbGeneralDate)               ' expect: 3/5/2024 1:45:30 PM
WScript.Echo FormatDateTime(when, vbLongDate)                  ' expect: Tuesday, March 5, 2024
WScript.Echo FormatDateTime(when, vbShortDate)                 ' expect: 3/5/2024
WScript.Echo FormatDateTime(when, vbLongTime)                  ' expect: 1:45:30 PM
WScript.Echo FormatDateTime(when, vbShortTime)                 ' expect: 13:45
WScript.Echo FormatDateTime(#3/5/2024#)                     ' expect: 3/5/2024
WScript.Echo FormatDateTime(#12:05:00 AM#)                  ' expect: 12:05:00 AM
WScript.Echo FormatDateTime(#12:05:00 AM#, vbShortTime)     ' expect: 00:05
WScript.Echo FormatDateTime("12/25/2023 08:00", vbLongDate) ' expect: Monday, December 25, 2023
WScript.Echo T("FormatDateTime(""x"")")                     ' expect: error 13
WScript.Echo T("FormatDateTime(Now, 5)")                    ' expect: error 5
