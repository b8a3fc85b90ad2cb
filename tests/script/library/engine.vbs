' Engine functions and constants: RGB, ScriptEngine*, MsgBox/InputBox without a dialog host, vb... values.
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

WScript.Echo RGB(255, 0, 0) & " " & RGB(0, 0, 255) & " " & RGB(300, 1, 0) & " " & TypeName(RGB(1, 2, 3))  ' expect: 255 16711680 511 Long
WScript.Echo T("RGB(-1, 0, 0)")                                 ' expect: error 5
WScript.Echo ScriptEngine & " " & ScriptEngineMajorVersion & "." & ScriptEngineMinorVersion & " " & (ScriptEngineBuildVersion > 0)  ' expect: VBScript 5.8 True
' tvscript has no dialogs: MsgBox answers OK and InputBox is cancelled (an empty text).
WScript.Echo MsgBox("Continue?", vbYesNo + vbQuestion, "Title") & " [" & InputBox("Name", "Title", "default") & "]"  ' expect: 1 []

WScript.Echo (vbCrLf = Chr(13) & Chr(10)) & " " & (vbNewLine = vbCrLf) & " " & Asc(vbTab) & " " & Asc(vbFormFeed) & " " & Asc(vbVerticalTab) & " " & Asc(vbNullChar) & " " & Len(vbNullString)  ' expect: True True 9 12 11 0 0
WScript.Echo vbBinaryCompare & vbTextCompare & " " & vbSunday & vbSaturday & " " & vbFirstJan1 & vbFirstFourDays & vbFirstFullWeek  ' expect: 01 17 123
WScript.Echo vbGeneralDate & vbLongDate & vbShortDate & vbLongTime & vbShortTime & " " & vbUseDefault & " " & vbTrue & " " & vbFalse  ' expect: 01234 -2 -1 0
WScript.Echo vbEmpty & vbNull & vbInteger & vbLong & vbSingle & vbDouble & vbCurrency & vbDate & vbString & vbObject & vbError & vbBoolean & vbVariant & " " & vbByte & " " & vbArray  ' expect: 0123456789101112 17 8192
WScript.Echo vbOKOnly & vbOKCancel & vbAbortRetryIgnore & vbYesNoCancel & vbYesNo & vbRetryCancel & " " & vbCritical & " " & vbQuestion & " " & vbExclamation & " " & vbInformation  ' expect: 012345 16 32 48 64
WScript.Echo vbOK & vbCancel & vbAbort & vbRetry & vbIgnore & vbYes & vbNo & " " & vbDefaultButton2 & " " & vbSystemModal  ' expect: 1234567 256 4096
WScript.Echo vbBlack & " " & vbRed & " " & vbGreen & " " & vbYellow & " " & vbBlue & " " & vbMagenta & " " & vbCyan & " " & vbWhite  ' expect: 0 255 65280 65535 16711680 16711935 16776960 16777215
WScript.Echo vbObjectError & " " & TypeName(vbObjectError) & " " & TypeName(vbTextCompare)  ' expect: -2147221504 Long Integer
WScript.Echo Eval("1 + 2 * 3") & " " & Eval("UCase(""x"")")    ' expect: 7 X
