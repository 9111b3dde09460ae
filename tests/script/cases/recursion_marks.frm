// The ELSE mark of an IF belongs to each call: the inner call that takes
// the ELSE branch does not clear the mark of the outer call's taken IF.
#R := ''
#T := W(1)
#RETURN
#FUNCTION W(D)
#  IF D > 0
#    R := R + 'a'
#    Q := W(D - 1)
#    R := R + 'b'
#  ELSE
#    R := R + 'e'
#  ENDI
#  DO CASE
#  CASE D = 0
#    R := R + '0'
#    S := W(-1)
#  OTHERWISE
#    R := R + 'o'
#  ENDC
#  R2 := R
#END_FUNCTION
//= R = 'ae0eobo'
