#A := 1
#B := 'x' + A
#C := 2
//= UNSET B
//= UNSET C
//= END aborted
//= MESSAGE Ошибка в строке 2 | Сложение несовместимых типов@'x' (C)  и  1 (N) | 
