#STRFILE('out.txt', 'строка 1')
#T := FILESTR('out.txt')
#L := LEN(T)
#E := FILEEXISTS('out.txt')
#N := FILEEXISTS('none.txt')
#M := FILESTR('none.txt')
#POL_SETUP('ABC', 'значение')
#V := VZA_SETUP('ABC')
#D1 := DATE1()
//= L = 10
//= E = .T.
//= N = .F.
//= M = ''
//= V = 'значение'
//= D1 = 01.05.2005
//= MESSAGE Файл none.txt отсутствует |  |
