// .NOT. ... .EOF on a name that is no table slot is evaluated normally.
#N := 0
#XY.EOF := .F.
#WHILE .NOT. XY.EOF
#  N := N + 1
#  IF N = 3
#    XY.EOF := .T.
#  ENDI
#ENDW
//= N = 3
