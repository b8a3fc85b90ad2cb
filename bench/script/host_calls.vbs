' Calls into a host object, with and without its prefix, as page scripts draw.
Dim i, total
For i = 1 To 100000
    total = PRN_PAGE.Add(total, i)
    total = total - Text(1.5, i, "abc") + 3
Next
WScript.Echo total   ' expect: 5000050000
