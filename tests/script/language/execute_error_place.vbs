' An uncaught error inside an Execute text was reported from that text's source after it was freed.
Execute "x = 1" & vbLf & "y = x / 0"                   ' expect runtime error: Division by zero
