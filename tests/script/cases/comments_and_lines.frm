/* A block comment
   over several lines */
#A := 1 # B := 2
#S := '#' + 'x'
#T := 'a' /* inline */ + 'b'


#C := 'x#y'
//= A = 1
//= B = 2
//= S = '#x'
//= T = 'ab'
//= C = 'x
