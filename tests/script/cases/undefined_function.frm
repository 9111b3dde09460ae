#A := 1
#B := NOSUCH(1)
#C := 1
//= A = 1
//= UNSET C
//= END aborted
//= MESSAGE Ошибка В строке 2 | Неизвесная функцияNOSUCH | Обработка прервана
