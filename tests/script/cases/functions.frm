#X := F(3)
#Y := G(2) + 1
// Calls share their variables: N is 1 again when FACT(5) multiplies.
#Z := FACT(5)
#C := 0
#CNT := COUNT(4)
#RETURN
#FUNCTION F(A)
#  F_RES := A * 2
#END_FUNCTION
#FUNCTION G(B)
#  G_RES := F(B) + 100
#END_FUNCTION
#FUNCTION FACT(N)
#  IF N <= 1
#    RES := 1
#  ELSE
#    RES := N * FACT(N - 1)
#  ENDI
#END_FUNCTION
#FUNCTION COUNT(M)
#  IF M > 0
#    C := C + 1
#    V := COUNT(M - 1)
#  ENDI
#  RC := C
#END_FUNCTION
//= X = 6
//= Y = 105
//= Z = 1
//= C = 4
//= CNT = 4
