' Orvalis Reference Laboratory - page script for customer accounts.
' Draws one patient report through PRN_PAGE: OnNewPage draws the letterhead, the patient
' block and the column header on every page; the results flow below them as table rows.
' Entry points called by the client: main(printed), Init(), OnNewPage(), PrintReport(printed).

Const LAB_NAME = "ORVALIS REFERENCE LABORATORY"
Const LAB_ADDRESS = "1200 Harbor View Drive, Suite 300  -  Riverton, CA 94017"
Const LAB_CONTACT = "Client Services (800) 555-0142  -  CLIA 05D0998877"
Const LAB_DIRECTOR = "Laboratory Director: Helen M. Castellanos, MD, PhD"
Const BODY_FONT = "Arial,9,*,*"
Const RESULT_FORMAT = "<2.45|^1.0|^0.45|<1.0|<1.55|>1.05"
Const TEXT_RESULT_FORMAT = "<2.45|<4.0|>1.05"
Const HEADER_BACK = "?$E8E0D8?#"

' Report values: set by each report program, read here and by the export program.
Dim LABID, EXLABID, PNAME, BDATE, BDATE1, AGE, SEX, PHYSICIAN, ACCOUNT, CLIENT
Dim GENERICCODE, DESCRIPTION, COLLECTED, RECEIVED, REPORTED
Dim PROCESSED1, ENTRYSYS1, PRINTED1, MTID, DEPTID2, CTMPR, REPORTNOTE, MTNOTES, PANEL

Dim CurrentFont, Reprint

' Values a report program may leave out must not carry over from the previous patient.
Sub Init()
    LABID = "" : EXLABID = "" : PNAME = "" : BDATE = "" : BDATE1 = "" : AGE = "" : SEX = ""
    PHYSICIAN = "" : ACCOUNT = "" : CLIENT = "" : GENERICCODE = "" : DESCRIPTION = ""
    COLLECTED = "" : RECEIVED = "" : REPORTED = "" : PROCESSED1 = "" : ENTRYSYS1 = ""
    PRINTED1 = "" : MTID = "" : DEPTID2 = "" : CTMPR = "" : REPORTNOTE = "" : MTNOTES = ""
    PANEL = ""
End Sub

Sub main(printed)
    Reprint = printed
    SetMargins 2.95 + yOffSet, 0.5 + xOffSet, 0.85 - yOffSet, 0.5 - xOffSet
    MarginOffset xOffSet, yOffSet
    LineSpacing "1"
    TableFormat RESULT_FORMAT
    UseFont BODY_FONT
    BeginDoc
    PrintResults
    PrintNotes
    PrintClosing
    EndDoc
End Sub

Sub PrintReport(printed)
    main printed
    PrintPage
End Sub

Sub UseFont(ft)
    CurrentFont = ft
    Font ft
End Sub

' Runs inside whatever call opened the page: draw, then give the flow its font back.
Sub OnNewPage()
    DrawLetterhead
    DrawPatientBlock
    DrawFooter
    Font BODY_FONT
    PrintCols "~" & PageCaption() & "|~Page {$PAGE}", "<5.5|>2.0"
    ' The last, empty column clears the header's background before the page's text continues.
    PrintCols HEADER_BACK & "TEST|" & HEADER_BACK & "RESULT|" & HEADER_BACK & "FLAG|" & HEADER_BACK & "UNITS|" _
        & HEADER_BACK & "REFERENCE RANGE|" & HEADER_BACK & "PREVIOUS|~", RESULT_FORMAT & "|<0"
    Font CurrentFont
End Sub

Function PageCaption()
    PageCaption = ""
    If Reprint Then PageCaption = "REPRINT - copy of a report printed before"
End Function

Sub DrawLetterhead()
    PenColor &H800000
    PenWidth 8
    RoundRect 0.5, 0.45, 1.1, 1.02, 0.14
    Font "Arial,22,B,clNavy"
    TextXY 0.8, 0.55, "OR", "C"
    Font "Arial,16,B,clNavy"
    TextXY 1.25, 0.45, LAB_NAME, "L"
    Font "Arial,8,*,clGray"
    PrintList 1.25, 0.74, LAB_ADDRESS & vbCrLf & LAB_CONTACT, False
    Font "Courier New,9,B,*"
    PrintList 6.35, 0.55, "LAB ID " & LABID & vbCrLf & "CHART  " & EXLABID, True
    PenColor &H800000
    PenWidth 6
    MoveTO 0.5, 1.14
    LineTO 8.0, 1.14
End Sub

Sub DrawPatientBlock()
    PenColor &HA0A0A0
    PenWidth 2
    Rectangle 0.5, 1.24, 8.0, 2.42
    Field 0.62, 1.30, "PATIENT", PNAME
    Field 0.62, 1.68, "DATE OF BIRTH / AGE / SEX", ShowDate(BDATE, "mm/dd/yyyy") & "   " & AGE & "   " & SEX
    Field 0.62, 2.06, "CHART NUMBER", EXLABID
    Field 3.45, 1.30, "ORDERING PHYSICIAN", PHYSICIAN
    Field 3.45, 1.68, "CLIENT", CLIENT
    Field 3.45, 2.06, "ACCOUNT", ACCOUNT
    Field 6.05, 1.30, "COLLECTED", ShowDate(COLLECTED, "mm/dd/yyyy hh:nn")
    Field 6.05, 1.68, "RECEIVED", ShowDate(RECEIVED, "mm/dd/yyyy hh:nn")
    Field 6.05, 2.06, "REPORTED", ShowDate(REPORTED, "mm/dd/yyyy hh:nn")
    Font "Arial,12,B,clNavy"
    TextXY 0.5, 2.52, DESCRIPTION, "L"
    Font "Arial,8,*,clGray"
    TextXY 0.5 + 0.02, 2.74, "Test code " & GENERICCODE, "L"
    If Reprint Then
        Font "Arial,11,B,clRed"
        TextXY 8.0, 2.54, "REPRINT", "R"
    Else
        Font "Arial,11,B,clNavy"
        TextXY 8.0, 2.54, "FINAL REPORT", "R"
    End If
End Sub

Sub Field(x, y, caption, value)
    Font "Arial,7,*,clGray"
    TextXY x, y, caption, "L"
    Font "Arial,10,B,*"
    TextXY x, y + 0.13, value, "L"
End Sub

' A report without a date prints a blank instead of failing.
Function ShowDate(value, pattern)
    ShowDate = ""
    If IsDate(value) Then ShowDate = FormatDate(value, pattern)
End Function

Sub DrawFooter()
    PenColor &HA0A0A0
    PenWidth 2
    MoveTO 0.5, 10.2
    LineTO 8.0, 10.2
    Font "Arial,7,*,clGray"
    TextXY 0.5, 10.25, PNAME & "  -  Lab ID " & LABID & "  -  " & DESCRIPTION, "L"
    TextXY 8.0, 10.25, LAB_DIRECTOR, "R"
    TextXY 4.25, 10.42, "Confidential patient information. Results are to be interpreted by a licensed practitioner.", "C"
End Sub

Sub PrintResults()
    Dim lines, i, f
    lines = Split(PANEL, Chr(3))
    For i = 0 To UBound(lines) - 1
        If Left(lines(i), 2) = "<:" Then
            PrintCols "~|~" & Mid(lines(i), 3), "<0.15|<7.35"
        ElseIf Left(lines(i), 1) = "<" Then
            PrintCols "?$F4ECE4?#" & Mid(lines(i), 2), "<7.5"
        Else
            f = Split(lines(i) & "||||||||||", "|")
            If Len(f(2)) > 12 Then
                PrintCols TextResultRow(f), TEXT_RESULT_FORMAT
            Else
                PrintTable ResultRow(f)
            End If
            If Trim(f(9)) <> "" Then PrintCols "~|!" & f(9), "<0.3|<7.2"
        End If
    Next
End Sub

' Cells: test, result and flag on the flag's colour, units, range, previous result.
Function ResultRow(f)
    Dim back, style, name
    back = FlagBackground(f(1))
    style = "~"
    If back <> "" Then style = "#"
    name = f(0)
    If f(7) = "C" Then name = name & " (corrected)"
    ResultRow = "~" & name & "|" & back & style & f(2) & "|" & back & style & f(1) & "|~" & f(3) & "|~" & f(4) & "|~" & f(5)
End Function

' A text result (an organism, a remark) too wide for the result column spans the columns after it.
Function TextResultRow(f)
    Dim back, style, flag
    back = FlagBackground(f(1))
    style = "~"
    flag = ""
    If back <> "" Then style = "#"
    If Trim(f(1)) <> "" Then flag = "  (" & Trim(f(1)) & ")"
    TextResultRow = "~" & f(0) & "|" & back & style & f(2) & flag & "|~" & f(5)
End Function

Function FlagBackground(flag)
    Select Case UCase(Trim(flag))
        Case "HH", "LL", "AA", "R", "C"
            FlagBackground = "?$9999FF?"
        Case "H", "L", "A", "I"
            FlagBackground = "?$99FFFF?"
        Case Else
            FlagBackground = ""
    End Select
End Function

Sub PrintNotes()
    PrintNote "SPECIMEN", CTMPR
    PrintNote "COMMENTS", Replace(REPORTNOTE, "_", vbCrLf)
    PrintNote "TECHNOLOGIST NOTES", MTNOTES
End Sub

Sub PrintNote(caption, text)
    Dim parts, i
    If Trim(text) = "" Then Exit Sub
    NewLine
    UseFont "Arial,9,B,clNavy"
    PrintLine caption
    UseFont BODY_FONT
    parts = Split(text, vbCrLf)
    For i = 0 To UBound(parts)
        PrintLine parts(i)
    Next
End Sub

Sub PrintClosing()
    NewLine
    UseFont "Arial,8,*,clGray"
    PrintLine "Performed by " & LAB_NAME & ".  Released by technologist " & MTID & "."
    PrintCols "~*** END OF REPORT ***", "^7.5"
    UseFont BODY_FONT
End Sub
