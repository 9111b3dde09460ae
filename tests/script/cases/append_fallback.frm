// T := T + X where X holds a word: the appends fall back to the ordinary
// evaluation, which looks X up once (its word FOO is not looked up again).
#X := PADLEFT('FOO', 3, ' ')
#FOO := 'no'
#S := 'a'
#S := S + 'b' + NTOC(1)
#T := 'a'
#T := T + X
//= S = 'ab1'
//= X = FOO
//= T = 'a'
//= END aborted
//= MESSAGE Ошибка в строке 8 | Сложение несовместимых типов@'a' (C)  и  FOO (U) |
