// A script that starts itself ends at a depth limit instead of overflowing
// the stack.
#ZAPUSK_FRM('case.frm')
#DONE := 1
//= END aborted
//= MESSAGE Ошибка в строке 3 | Слишком глубокая вложенность запуска форм: более 16 | Обработка прервана
