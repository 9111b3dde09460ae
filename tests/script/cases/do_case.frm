#R := ''
#FOR I := 1 TO 4
#  DO CASE
#  CASE I = 1
#    R := R + 'a'
#  CASE I = 2
#    R := R + 'b'
#  CASE I < 4
#    R := R + 'c'
#  OTHERWISE
#    R := R + 'z'
#  ENDC
#ENDF
// Only the first true CASE runs.
#S := ''
#DO CASE
#CASE 1 = 1
#  S := S + '1'
#CASE 2 = 2
#  S := S + '2'
#ENDC
//= R = 'abcz'
//= S = '1'
//= I = 5
