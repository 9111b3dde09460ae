#A := 0
#IF 1 = 1 THEN
#  A := A + 1
#ELSE
#  A := A + 10
#ENDI
#IF 1 = 2
#  A := A + 100
#ELSE
#  A := A + 1000
#ENDI
#IF 2 > 1
#  IF 1 = 2
#    A := A + 5
#  ELSE
#    A := A + 50
#  ENDI
#ENDI
// A condition that is neither .T. nor .F. runs both branches.
#B := ''
#IF 7
#  B := B + 'if'
#ELSE
#  B := B + 'else'
#ENDI
#IF 1 = 2
#  C := 1
#ENDI
//= A = 1051
//= B = 'ifelse'
//= UNSET C
