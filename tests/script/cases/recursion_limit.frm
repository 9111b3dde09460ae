#X := LOOP(1)
#Y := 1
#RETURN
#FUNCTION LOOP(N)
#  V := LOOP(N + 1)
#END_FUNCTION
//= END aborted
//= UNSET Y
//= N = 400
//= MESSAGE Ошибка в строке 5 | Слишком глубокая вложенность вызовов функций: более 400 | Обработка прервана
