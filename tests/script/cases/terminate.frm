#A := 1
#TERMINATE
#A := 2
//= END terminated
//= A = 1
