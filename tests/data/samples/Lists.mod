MODULE Lists;
(* Linked lists of integers (* nested *) *)
IMPORT Out;

TYPE
  List* = POINTER TO Node;
  Node = RECORD value: INTEGER; next: List END;

PROCEDURE (l: List) Print*;
BEGIN
  Out.Int(l.value, 0); Out.String("; "); Out.Ln
END Print;

END Lists.
