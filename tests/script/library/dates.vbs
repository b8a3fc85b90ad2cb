' Date and time functions in US formats: arithmetic, parts, serials and names.
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

WScript.Echo TypeName(Date) & " " & TypeName(Time) & " " & TypeName(Now) & " " & TypeName(Timer)  ' expect: Date Date Date Single
WScript.Echo Int(Now) = Date And Timer >= 0 And Timer < 86400      ' expect: True
WScript.Echo Fix(CDbl(Time)) = 0                                   ' expect: True

WScript.Echo DateAdd("m", 1, #1/31/2024#)                   ' expect: 2/29/2024
WScript.Echo DateAdd("m", -1, #3/31/2023#)                  ' expect: 2/28/2023
WScript.Echo DateAdd("yyyy", 1, #2/29/2024#)                ' expect: 2/28/2025
WScript.Echo DateAdd("q", 1, #1/31/2024#)                   ' expect: 4/30/2024
WScript.Echo DateAdd("d", 1, #12/31/2023#)                  ' expect: 1/1/2024
WScript.Echo DateAdd("y", 1, #12/31/2023#)                  ' expect: 1/1/2024
WScript.Echo DateAdd("w", 1, #12/31/2023#)                  ' expect: 1/1/2024
WScript.Echo DateAdd("ww", 2, #1/1/2024#)                   ' expect: 1/15/2024
WScript.Echo DateAdd("h", 25, #1/1/2024#)                   ' expect: 1/2/2024 1:00:00 AM
WScript.Echo DateAdd("n", -1, #1/1/2024#)                   ' expect: 12/31/2023 11:59:00 PM
WScript.Echo DateAdd("s", 30, #1/1/2024 12:00:00 PM#)       ' expect: 1/1/2024 12:00:30 PM
WScript.Echo DateAdd("d", 1, "3/5/2024")                    ' expect: 3/6/2024
WScript.Echo T("DateAdd(""x"", 1, #1/1/2024#)")             ' expect: error 5
WScript.Echo T("DateAdd(""d"", 1, ""soon"")")               ' expect: error 13
WScript.Echo T("DateAdd(""yyyy"", 10000, #1/1/2024#)")      ' expect: error 5

WScript.Echo DateDiff("d", #1/1/2024#, #3/1/2024#)          ' expect: 60
WScript.Echo DateDiff("d", #3/1/2024#, #1/1/2024#)          ' expect: -60
WScript.Echo DateDiff("d", #1/1/2024 23:59#, #1/2/2024#)    ' expect: 1
WScript.Echo DateDiff("m", #1/31/2024#, #2/1/2024#)         ' expect: 1
WScript.Echo DateDiff("yyyy", #12/31/2023#, #1/1/2024#)     ' expect: 1
WScript.Echo DateDiff("q", #3/31/2024#, #4/1/2024#)         ' expect: 1
WScript.Echo DateDiff("h", #1/1/2024 23:00#, #1/2/2024 1:00#)  ' expect: 2
WScript.Echo DateDiff("n", #10:00#, #10:30#)                ' expect: 30
WScript.Echo DateDiff("s", #10:00#, #10:01#)                ' expect: 60
WScript.Echo DateDiff("ww", #1/1/2024#, #1/15/2024#)        ' expect: 2
WScript.Echo DateDiff("w", #1/1/2024#, #1/14/2024#)         ' expect: 1
WScript.Echo TypeName(DateDiff("d", #1/1/2024#, #1/2/2024#))  ' expect: Long

WScript.Echo DatePart("q", #5/1/2024#) & " " & DatePart("y", #3/1/2024#) & " " & DatePart("w", #1/1/2024#)  ' expect: 2 61 2
WScript.Echo DatePart("ww", #1/1/2024#) & " " & DatePart("ww", #12/31/2024#) & " " & DatePart("w", #1/1/2024#, vbMonday)  ' expect: 1 53 1
WScript.Echo DatePart("yyyy", #3/5/2024 13:45:30#) & " " & DatePart("h", #3/5/2024 13:45:30#) & " " & DatePart("s", #3/5/2024 13:45:30#)  ' expect: 2024 13 30

WScript.Echo DateSerial(2024, 2, 30)                        ' expect: 3/1/2024
WScript.Echo DateSerial(2024, 13, 1)                        ' expect: 1/1/2025
WScript.Echo DateSerial(2024, 1, 0)                         ' expect: 12/31/2023
WScript.Echo DateSerial(2024, -1, 1)                        ' expect: 11/1/2023
WScript.Echo DateSerial(24, 1, 1) & " " & DateSerial(99, 1, 1)  ' expect: 1/1/2024 1/1/1999
WScript.Echo TimeSerial(13, 5, 9)                           ' expect: 1:05:09 PM
WScript.Echo TimeSerial(12, -30, 0)                         ' expect: 11:30:00 AM
WScript.Echo TimeSerial(0, 0, 0)                            ' expect: 12:00:00 AM
WScript.Echo DateValue("March 5, 2024") & " " & DateValue("3/5/2024 10:00")  ' expect: 3/5/2024 3/5/2024
WScript.Echo TimeValue("1:30 PM") & " " & TimeValue("3/5/2024 13:30:15")     ' expect: 1:30:00 PM 1:30:15 PM
WScript.Echo T("DateValue(""x"")") & "|" & T("TimeValue(""25:00"")")        ' expect: error 13|error 13

Dim when
when = #3/5/2024 1:45:30 PM#
WScript.Echo Year(when) & " " & Month(when) & " " & Day(when) & " " & Hour(when) & " " & Minute(when) & " " & Second(when)  ' expect: 2024 3 5 13 45 30
WScript.Echo Year("7/4/1776") & " " & Month(Null) & "|" & T("Day(""x"")")   ' expect: 1776 |error 13
WScript.Echo Weekday(#1/1/2024#) & " " & Weekday(#1/1/2024#, vbMonday) & " " & T("Weekday(#1/1/2024#, 8)")  ' expect: 2 1 error 5
WScript.Echo MonthName(1) & " " & MonthName(12, True) & "|" & T("MonthName(13)")  ' expect: January Dec|error 5
WScript.Echo WeekdayName(1) & " " & WeekdayName(7, True) & " " & WeekdayName(1, False, vbMonday) & "|" & T("WeekdayName(8)")  ' expect: Sunday Sat Monday|error 5
WScript.Echo #1/1/2024# < #1/2/2024#                        ' expect: True
