' FileSystemObject and TextStream in a folder of their own under the temporary folder.
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

Dim fso, dir, p, q, f, s, n, item
Set fso = CreateObject("Scripting.FileSystemObject")

' Path texts: both separators, nothing touched on disk.
WScript.Echo fso.GetFileName("C:\a\b.txt") & " " & fso.GetFileName("/tmp/x/") & " " & fso.GetBaseName("c:\r.e.hl7")   ' expect: b.txt x r.e
WScript.Echo fso.GetExtensionName("c:\r.e.hl7") & "|" & fso.GetExtensionName("noext") & "|"  ' expect: hl7||
WScript.Echo fso.GetParentFolderName("C:\a\b.txt") & " " & fso.GetParentFolderName("C:\a") & " " & fso.GetParentFolderName("/tmp/x")  ' expect: C:\a C:\ /tmp
WScript.Echo "[" & fso.GetParentFolderName("b.txt") & "]"     ' expect: []
WScript.Echo fso.BuildPath("C:\a", "b.txt") & " " & fso.BuildPath("C:\a\", "b") & " " & fso.BuildPath("/tmp", "b")  ' expect: C:\a\b.txt C:\a\b /tmp/b
s = fso.GetTempName
WScript.Echo Left(s, 3) & " " & Right(s, 4) & " " & Len(s)   ' expect: rad .tmp 12

dir = fso.BuildPath(fso.GetSpecialFolder(2), "tvlib_" & fso.GetTempName)
fso.CreateFolder dir
WScript.Echo fso.FolderExists(dir) & " " & fso.FileExists(dir)   ' expect: True False

' Writing: Windows-1252 bytes, CR LF line ends.
p = fso.BuildPath(dir, "a.txt")
Set f = fso.CreateTextFile(p)
f.Write "one"
f.WriteLine " two"
f.WriteBlankLines 2
f.Write Chr(128) & Chr(233)
WScript.Echo f.Line & " " & f.Column                          ' expect: 4 3
f.Close
WScript.Echo fso.FileExists(p) & " " & fso.GetFile(p).Size     ' expect: True 15

' Reading it back line by line and whole.
Set f = fso.OpenTextFile(p)
WScript.Echo f.ReadLine & "|" & f.ReadLine & "|" & f.ReadLine & "|" & f.AtEndOfStream  ' expect: one two|||False
s = f.ReadLine
WScript.Echo AscW(s) & " " & AscW(Mid(s, 2)) & " " & f.AtEndOfStream   ' expect: 8364 233 True
WScript.Echo T("f.ReadLine")                                  ' expect: error 62
WScript.Echo T("f.Write(""x"")")                              ' expect: error 54
f.Close
Set f = fso.OpenTextFile(p, 1)
WScript.Echo Len(f.ReadAll) & " " & f.AtEndOfStream           ' expect: 15 True
f.Close
Set f = fso.OpenTextFile(p, 1)
WScript.Echo f.Read(2) & "|" & f.Column & "|" & f.AtEndOfLine  ' expect: on|3|False
f.Skip 1
f.SkipLine
WScript.Echo f.Line & " [" & f.ReadLine & "]"                 ' expect: 2 []
f.Close

' Appending, overwriting, and what cannot be opened.
Set f = fso.OpenTextFile(p, 8)
f.Write "++"
f.Close
WScript.Echo fso.GetFile(p).Size                              ' expect: 17
Set f = fso.OpenTextFile(p, 2)
f.Write "new"
f.Close
WScript.Echo fso.OpenTextFile(p).ReadAll                      ' expect: new
WScript.Echo T("fso.CreateTextFile(p, False)")                ' expect: error 58
WScript.Echo T("fso.OpenTextFile(fso.BuildPath(dir, ""none.txt""))")       ' expect: error 53
WScript.Echo T("fso.OpenTextFile(fso.BuildPath(dir, ""none.txt""), 2)")    ' expect: error 53
WScript.Echo T("fso.OpenTextFile(fso.BuildPath(dir, ""no\where.txt""), 2, True)")  ' expect: error 76
WScript.Echo T("fso.OpenTextFile(p, 3)")                      ' expect: error 5
WScript.Echo T("fso.OpenTextFile(dir)")                       ' expect: error 70
Set f = fso.OpenTextFile(fso.BuildPath(dir, "made.txt"), 8, True)
f.Close
WScript.Echo fso.FileExists(fso.BuildPath(dir, "made.txt"))   ' expect: True
Set f = fso.CreateTextFile(fso.BuildPath(dir, "empty.txt"))
f.Close
WScript.Echo T("fso.OpenTextFile(fso.BuildPath(dir, ""empty.txt"")).ReadAll")  ' expect: error 62

' A character without a Windows-1252 code is refused, not written as "?"; Unicode files take it.
Set f = fso.CreateTextFile(fso.BuildPath(dir, "cjk.txt"))
WScript.Echo T("f.Write(ChrW(&H4E00))")                       ' expect: error 5
f.Close
q = fso.BuildPath(dir, "u.txt")
Set f = fso.CreateTextFile(q, True, True)
f.WriteLine ChrW(&H4E00) & "A"
f.Close
WScript.Echo fso.GetFile(q).Size                              ' expect: 10
s = fso.OpenTextFile(q, 1, False, -1).ReadLine
WScript.Echo Hex(AscW(s)) & " " & Mid(s, 2)                   ' expect: 4E00 A
WScript.Echo Hex(AscW(fso.OpenTextFile(q, 1, False, -2).ReadAll))  ' expect: 4E00
WScript.Echo Len(fso.OpenTextFile(q, 1, False, 0).ReadAll)    ' expect: 10

' Copy, move, delete.
fso.CopyFile p, fso.BuildPath(dir, "b.txt")
fso.CopyFile p, fso.BuildPath(dir, "b.txt")
WScript.Echo T("fso.CopyFile(p, fso.BuildPath(dir, ""b.txt""), False)")  ' expect: error 58
WScript.Echo T("fso.CopyFile(fso.BuildPath(dir, ""gone.txt""), p)")       ' expect: error 53
fso.MoveFile fso.BuildPath(dir, "b.txt"), fso.BuildPath(dir, "c.txt")
WScript.Echo fso.FileExists(fso.BuildPath(dir, "b.txt")) & " " & fso.FileExists(fso.BuildPath(dir, "c.txt"))  ' expect: False True
WScript.Echo T("fso.MoveFile(p, fso.BuildPath(dir, ""c.txt""))")          ' expect: error 58
fso.DeleteFile fso.BuildPath(dir, "c.txt")
WScript.Echo T("fso.DeleteFile(fso.BuildPath(dir, ""c.txt""))")           ' expect: error 53

' File and Folder objects.
Set item = fso.GetFile(p)
WScript.Echo item.Name & " " & (item.Path = fso.GetFile(p).Path) & " " & TypeName(item.DateLastModified)  ' expect: a.txt True Date
WScript.Echo item.ParentFolder.Name = fso.GetFileName(dir)    ' expect: True
WScript.Echo Abs(DateDiff("n", item.DateLastModified, Now)) < 5  ' expect: True
fso.CreateFolder fso.BuildPath(dir, "sub")
WScript.Echo T("fso.CreateFolder(fso.BuildPath(dir, ""sub""))")           ' expect: error 58
Set item = fso.GetFolder(dir)
s = ""
For Each f In item.Files
    s = s & f.Name & ","
Next
WScript.Echo s & " " & item.Files.Count & " " & item.SubFolders.Count & " " & item.SubFolders("sub").Name  ' expect: a.txt,cjk.txt,empty.txt,made.txt,u.txt, 5 1 sub
WScript.Echo T("fso.GetFile(fso.BuildPath(dir, ""gone.txt""))") & "|" & T("fso.GetFolder(fso.BuildPath(dir, ""gone""))")  ' expect: error 53|error 76
fso.DeleteFile fso.BuildPath(dir, "*.txt")
WScript.Echo fso.GetFolder(dir).Files.Count                   ' expect: 0
fso.DeleteFolder dir
WScript.Echo fso.FolderExists(dir)                            ' expect: False
