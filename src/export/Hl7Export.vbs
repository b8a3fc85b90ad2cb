' Built-in HL7 export program: Export(FilePath) writes the current report as one HL7 2.3
' ORU^R01 message, PAT_<LABID>_<GENERICCODE>.HL7, into the export folder. It reads the report's
' global values and changes none of them, so it may run any number of times per report.

Dim DELIM, OBRPROC, MSH, PID, OBR, OBX, NTE

Sub Init()
End Sub

Sub Export(FilePath)
    CreateHL7 FilePath
End Sub

' aNum as text, padded on the left with "0" to d characters, or cut to its first d.
Function dgt(aNum, d)
    Dim s
    s = CStr(aNum)
    If Len(s) < d Then
        dgt = String(d - Len(s), "0") & s
    Else
        dgt = Left(s, d)
    End If
End Function

Function TimeStamp()
    Dim t
    t = Now
    TimeStamp = dgt(Year(t), 4) & dgt(Month(t), 2) & dgt(Day(t), 2) & dgt(Hour(t), 2) & dgt(Minute(t), 2) & "00"
End Function

Function TimeStamp2()
    Dim t
    t = Now
    TimeStamp2 = dgt(Year(t), 4) & dgt(Month(t), 2) & dgt(Day(t), 2)
End Function

Function BDate2()
    If IsDate(BDATE) Then
        BDate2 = dgt(Year(BDATE), 4) & dgt(Month(BDATE), 2) & dgt(Day(BDATE), 2)
    Else
        BDate2 = "00000000"
    End If
End Function

' Fills %1, %2 ... with the trimmed tokens in one pass: the longest number that names a token
' wins (%12 before %1), and a value that itself holds "%" and digits is never filled again.
Function fmt2(s, toks)
    Dim out, p, q, k, digits, n, used
    out = ""
    p = 1
    Do
        q = InStr(p, s, "%")
        If q = 0 Then Exit Do
        out = out & Mid(s, p, q - p)
        k = q + 1
        Do While k <= Len(s)
            If InStr("0123456789", Mid(s, k, 1)) = 0 Then Exit Do
            k = k + 1
        Loop
        digits = Mid(s, q + 1, k - q - 1)
        used = 0
        If Len(digits) > 4 Then digits = Left(digits, 4)
        For n = Len(digits) To 1 Step -1
            If CLng(Left(digits, n)) >= 1 And CLng(Left(digits, n)) <= UBound(toks) + 1 Then
                used = n
                Exit For
            End If
        Next
        If used > 0 Then
            out = out & Trim(toks(CLng(Left(digits, used)) - 1))
        Else
            out = out & "%"
        End If
        p = q + 1 + used
    Loop
    fmt2 = out & Mid(s, p)
End Function

' Fills the "%NAME" of each field of a template with the value of NAME: a prepared value when
' there is one, else NAME evaluated as an expression (so "%timestamp" calls TimeStamp).
' A "|" inside a value becomes the sub-component separator "&".
Function ReplaceVars(s, prepared)
    Dim rvFields, rvI, rvAt, rvName, rvValue
    rvFields = Split(s, "|")
    For rvI = 0 To UBound(rvFields)
        rvAt = InStr(rvFields(rvI), "%")
        If rvAt > 0 Then
            rvName = Trim(Mid(rvFields(rvI), rvAt + 1))
            If prepared.Exists(rvName) Then
                rvValue = prepared(rvName)
            Else
                rvValue = "" & Eval(rvName)
            End If
            rvFields(rvI) = Replace(Replace(rvFields(rvI), "%" & rvName, rvValue), "|", "&")
        End If
    Next
    ReplaceVars = Join(rvFields, "|")
End Function

' The blank-separated words of s, empty ones left out.
Function Words(ByVal s)
    Dim re
    Set re = New RegExp
    re.Pattern = " +"
    re.Global = True
    s = re.Replace(Trim(s), " ")
    If s = "" Then Words = Array() Else Words = Split(s, " ")
End Function

Function WordAt(w, i)
    If i <= UBound(w) Then WordAt = w(i) Else WordAt = ""
End Function

' "SURNAME1 SURNAME2, GIVEN1 GIVEN2" becomes "SURNAME1-SURNAME2^GIVEN1^G": every surname before
' the comma joins the family name, so "SMITH, JOHN A" is "SMITH^JOHN^A". A name without a
' comma is read as two surnames, a given name and a second given name, in that order.
Function PrepareName(aName)
    Dim s, c, family, given, w
    s = "" & aName
    c = InStr(s, ",")
    If c > 0 Then
        family = Join(Words(Left(s, c - 1)), "-")
        given = Words(Mid(s, c + 1))
    Else
        w = Words(s)
        family = WordAt(w, 0) & "-" & WordAt(w, 1)
        given = Array(WordAt(w, 2), WordAt(w, 3))
    End If
    PrepareName = family & "^" & WordAt(given, 0) & "^" & Left(WordAt(given, 1), 1)
End Function

' HL7 NM: an optional sign, digits and at most one decimal point (no exponent, group or currency).
Function IsHl7Number(v)
    Dim re
    Set re = New RegExp
    re.Pattern = "^[+-]?(\d+\.?\d*|\.\d+)$"
    IsHl7Number = IsNumeric(v) And re.Test(v)
End Function

' One OBX segment per panel line; lines beginning with "<" are not results. A line with fewer
' than 11 fields has its missing fields empty.
Function Seg_OBX()
    Dim lines, i, j, line, bar, toks, valueType, out
    lines = Split("" & PANEL, Chr(3))
    out = ""
    j = 0
    For i = 0 To UBound(lines) - 1
        line = lines(i)
        If Left(line, 1) <> "<" Then
            bar = InStr(line, "|")
            If bar = 0 Then Err.Raise 5, "Export", "Panel line " & (i + 1) & " has no ""|"": " & line
            j = j + 1
            line = Left(Left(line, bar - 1), 20) & Mid(line, bar)
            toks = Split(j & "|" & line, "|")
            If UBound(toks) < 11 Then ReDim Preserve toks(11)
            If IsHl7Number(Trim(toks(3))) Then valueType = "NM" Else valueType = "TX"
            out = out & fmt2(Replace(OBX, "%TYPE", valueType), toks) & Replace("" & MTID, "|", "&")
            If i < UBound(lines) - 1 Then out = out & DELIM
        End If
    Next
    Seg_OBX = out
End Function

' A file name part must not leave the export folder or be refused by the file system.
Function FileNamePart(what, v)
    Dim re
    Set re = New RegExp
    re.Pattern = "[\\/:*?""<>|]|^\.\.?$|^$"
    If re.Test(Trim("" & v)) Then Err.Raise 5, "Export", what & " """ & v & """ cannot be part of a file name"
    FileNamePart = Trim("" & v)
End Function

Sub CreateHL7(FilePath)
    Dim prepared, msg, fileName
    DELIM = vbCr
    OBRPROC = GENERICCODE & "^" & DESCRIPTION
    ' Prepared copies, so the report's own values stay as its program set them.
    Set prepared = CreateObject("Scripting.Dictionary")
    prepared.CompareMode = vbTextCompare
    prepared("PNAME") = PrepareName(PNAME)
    prepared("PHYSICIAN") = PrepareName(PHYSICIAN)
    prepared("REPORTNOTE") = Replace("" & REPORTNOTE, "_", "\H0D\")

    MSH = "MSH|^~\&|ORVALISSYSTEMS|001|SOFTWAREVENDOR|001|%timestamp||ORU^R01||P|2.3"
    PID = "PID|1|%EXLABID|%LABID||%PNAME||%BDATE1|%SEX"
    OBR = "OBR|1|%EXLABID||%OBRPROC|||%PROCESSED1|||||||%ENTRYSYS1||^%PHYSICIAN||||||%PRINTED1|||F"
    OBX = "OBX|%1|%TYPE|%12^%2||%4|%5|%6|%3|||F|||||"
    NTE = Array("NTE|1||%CTMPR", "NTE|2||%REPORTNOTE", "NTE|3||%MTNOTES")

    msg = ReplaceVars(MSH, prepared) & DELIM & ReplaceVars(PID, prepared) & DELIM _
        & ReplaceVars(OBR, prepared) & DELIM & Seg_OBX() & DELIM _
        & ReplaceVars(NTE(0), prepared) & DELIM & ReplaceVars(NTE(1), prepared) & DELIM
    If Len("" & MTNOTES) > 3 Then msg = msg & ReplaceVars(NTE(2), prepared) & DELIM

    fileName = FilePath & "PAT_" & FileNamePart("LABID", LABID) & "_" _
        & FileNamePart("GENERICCODE", GENERICCODE) & ".HL7"
    If "" & DEPTID2 <> "CU" Then WriteWhole fileName, msg
End Sub

' Writes text under a temporary name beside fileName and only then renames it into place, so the
' customer's software never reads a half-written message. A failed write leaves neither file.
Sub WriteWhole(fileName, text)
    Dim fso, temp, f, number, source, description
    Set fso = CreateObject("Scripting.FileSystemObject")
    temp = fileName & ".tmp"
    Set f = fso.CreateTextFile(temp, True, False)
    On Error Resume Next
    f.Write text
    number = Err.Number
    source = Err.Source
    description = Err.Description
    f.Close
    On Error GoTo 0
    If number <> 0 Then
        fso.DeleteFile temp
        Err.Raise number, source, description
    End If
    If fso.FileExists(fileName) Then fso.DeleteFile fileName
    fso.MoveFile temp, fileName
End Sub
