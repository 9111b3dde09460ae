#BEZ_POKAZA()
#A := 1
//= END suppressed
//= A = 1
