@МОДУЛИ lib.frm, none.frm
#X := DOUBLE(21)
#RETURN
//= FILE DOCUM/FRMZ/lib.frm
//= X = 42
