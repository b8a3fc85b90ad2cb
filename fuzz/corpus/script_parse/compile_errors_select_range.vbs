' Select Case takes no ranges: "Case 1 To 5" does not compile.
Select Case 3
Case 1 To 5                                        ' expect compile error
End Select
