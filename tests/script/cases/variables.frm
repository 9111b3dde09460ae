// Names are case-insensitive; an unassigned name is its own text.
#x := 1
#X := 2
#Y := Q
#Z := 'a'
#Z := Z + 'b' + 'c'
#Z := Z + Z
#W := X := 5
#P := PADLEFT(7, 3, ' ')
//= X = 2
//= Y = Q
//= Z = 'abcabc'
//= P = 7
