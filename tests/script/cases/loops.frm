#N := 0
#FOR I := 1 TO 0
#  N := N + 1
#ENDF
#FOR J := 1 TO 3
#  N := N + 10
#ENDF
#K := 0
#WHILE K < 5
#  K := K + 1
#  IF K = 3
#    BREAK
#  ENDI
#ENDW
// The limit is evaluated once, on entry.
#L := 2
#M := 0
#FOR I2 := 1 TO L
#  L := 10
#  M := M + 1
#ENDF
// Nested loops; BREAK leaves the innermost one.
#P := ''
#FOR X := 1 TO 3
#  FOR Y := 1 TO 3
#    IF Y = 2
#      BREAK
#    ENDI
#    P := P + NTOC(X) + NTOC(Y) + ' '
#  ENDF
#ENDF
//= N = 30
//= I = 1
//= J = 4
//= K = 3
//= M = 2
//= I2 = 3
//= P = '11 21 31 '
