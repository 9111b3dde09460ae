// END_FUNCTION reached with no call in progress ends the run like RETURN.
#A := 1
#TO LABEL 1
#FUNCTION F(X)
#LABEL 1
#  A := 2
#END_FUNCTION
#A := 3
//= A = 2
//= END completed
