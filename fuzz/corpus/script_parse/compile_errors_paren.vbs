x = 1
y = (1 + 2                                         ' expect compile error
