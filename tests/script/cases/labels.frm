#A := 1
#TO LABEL 5
#A := 2
#LABEL 5.
#B := 1
#TO LABEL 7
#B := B + 1
// A jump to a label that does not exist warns, then does nothing.
//= A = 1
//= B = 2
//= MESSAGE Предупреждение. Оператор TO LABEL в строке 6 | указывает на несуществующую метку | 
