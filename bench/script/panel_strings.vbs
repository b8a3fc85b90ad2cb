' String-heavy work of an export or page script over report-sized panels: a 40-line result panel
' is split into lines and fields, reformatted with Replace, trimmed, searched and joined again.
Function MakePanel(n)
    Dim lines(), i
    ReDim lines(n - 1)
    For i = 0 To n - 1
        lines(i) = "Test name " & i & "|N|" & (i * 1.25) & "|mg/dL|" & i & ".0-" & (i + 10) & ".5||||||" & (1000 + i) & "-" & (i Mod 10)
    Next
    MakePanel = Join(lines, Chr(3)) & Chr(3)
End Function

Dim panel, report, lines, fields, i, k, out, total, checksum
panel = MakePanel(40)
total = 0
checksum = 0
For report = 1 To 2000
    lines = Split(panel, Chr(3))
    out = ""
    For i = 0 To UBound(lines) - 1
        If Left(lines(i), 1) <> "<" Then
            fields = Split(lines(i), "|")
            fields(0) = Left(Trim(fields(0)), 20)
            For k = 0 To UBound(fields)
                fields(k) = Replace(Trim(fields(k)), "_", "\H0D\")
            Next
            out = out & "OBX|" & (i + 1) & "|" & Join(fields, "|") & vbCr
            If InStr(1, fields(3), "MG", vbTextCompare) > 0 Then total = total + 1
        End If
    Next
    checksum = checksum + Len(out)
Next
WScript.Echo total & " " & checksum   ' expect: 80000 4326000
