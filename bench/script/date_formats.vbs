' Date-heavy work of report programs: dates parsed from text, shifted, taken apart and formatted
' in every named format, in a loop the size of a day's reports.
Dim i, d, s, total, checksum
total = 0
checksum = 0
For i = 1 To 20000
    d = DateAdd("n", i * 37, CDate("3/5/2024 8:00"))
    s = FormatDateTime(d, vbGeneralDate) & FormatDateTime(d, vbLongDate) & FormatDateTime(d, vbShortDate) _
        & FormatDateTime(d, vbLongTime) & FormatDateTime(d, vbShortTime)
    checksum = checksum + Len(s)
    total = total + DateDiff("d", #3/5/2024#, d) + Weekday(d) + Month(DateValue(FormatDateTime(d, vbShortDate)))
Next
WScript.Echo total & " " & checksum   ' expect: 5337895 1354081
