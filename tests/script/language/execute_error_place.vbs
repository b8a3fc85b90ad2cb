' An uncaught error inside an Execute text was reported from that text's source after it was freed.
Sub Run()
    Execute "x = 1 : y = x / 0"
End Sub
Run                                                     ' expect runtime error: Division by zero
