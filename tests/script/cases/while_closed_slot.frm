// The end-of-table test of a slot that is not open is an error, not an
// endless loop.
#N := 0
#WHILE .NOT. T1.EOF()
#  N := N + 1
#ENDW
//= END aborted
//= N = 0
//= MESSAGE Ошибка в строке 4 | Таблица T1 не открыта | Обработка прервана
