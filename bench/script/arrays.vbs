' Array work: filling, an insertion sort and a checksum.
Dim a(), i, j, t, n, sum
n = 3000
ReDim a(n - 1)
For i = 0 To n - 1
    a(i) = (i * 7919) Mod 10007
Next
For i = 1 To n - 1
    t = a(i)
    j = i - 1
    Do While j >= 0
        If a(j) <= t Then Exit Do
        a(j + 1) = a(j)
        j = j - 1
    Loop
    a(j + 1) = t
Next
For i = 0 To n - 1
    sum = sum + a(i) * (i Mod 10)
Next
WScript.Echo a(0), a(n - 1), sum   ' expect: 0 10006 67640596
