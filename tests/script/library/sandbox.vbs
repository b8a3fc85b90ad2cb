' What a script cannot reach: only the dictionary, the file system object and RegExp can be created.
Dim names, i, o
names = Array("WScript.Shell", "Shell.Application", "ADODB.Stream", "MSXML2.XMLHTTP", "Scripting.Encoder", "Excel.Application", "")
On Error Resume Next
For i = 0 To UBound(names)
    Err.Clear
    Set o = CreateObject(names(i))
    WScript.Echo Err.Number & " " & (InStr(Err.Description, "'" & names(i) & "'") > 0) & " " & IsEmpty(o)
Next
' expect: 429 True True
' expect: 429 True True
' expect: 429 True True
' expect: 429 True True
' expect: 429 True True
' expect: 429 True True
' expect: 429 True True
On Error GoTo 0
WScript.Echo TypeName(CreateObject("scripting.dictionary")) & " " & TypeName(CreateObject(" VBScript.RegExp "))  ' expect: Dictionary IRegExp2
Set o = CreateObject("WScript.Shell")   ' expect runtime error: ActiveX component can't create object: 'WScript.Shell'
