#ARRAY(A, 3)
#AADD(A, 5)
#N := LENM(A)
#S := ASCAN(A, 5)
#S2 := ASCAN(A, 7)
#A[1] := 'x'
#I := 2
#A[I] := 'y'
#E := A[I]
#A[9] := 1
#ARRAY(W, 3)
#W[0] := 'в'
#W[1] := 'А'
#W[2] := 'б'
#ASORT(W)
#AFILL(F, 1)
#ARRAY(F, 2)
#AFILL(F, '7')
#ARRAY(D, 2)
#ARRAYDELETE(D)
#LD := LENM(D)
//= A[0] = 
//= A[1] = 'x'
//= A[2] = 'y'
//= A[3] = 5
//= N = 4
//= S = 3
//= S2 = 99999
//= E = 'y'
//= W[0] = 'А'
//= W[1] = 'б'
//= W[2] = 'в'
//= F[0] = 7
//= F[1] = 7
//= LD = 0
//= MESSAGE Элемент массива A[9] не найден | Строка будет пропущена | 
