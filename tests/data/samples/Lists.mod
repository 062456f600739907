MODULE Lists;
(* Linked lists of integers (* nested *) *)
IMPORT Out, F := Files, Texts;

<* $IF DEBUG *>
CONST
  Title = "Lists (* not a comment *)";
  Sep = '; ';

TYPE
  List* = POINTER TO Node;
  Node = RECORD value: INTEGER; next: List END;

PROCEDURE ^Append*(VAR l: List; value: INTEGER);

PROCEDURE (l: List) Print*;
BEGIN
  Out.Int(l.value, 0); Out.String("; "); Out.Ln
END Print;

PROCEDURE (VAR n: Node) Reset*;
BEGIN
  n.value := 0; n.next := NIL
END Reset;

PROCEDURE Sum*(l: List): INTEGER;
  VAR total: INTEGER;

  PROCEDURE Add(value: INTEGER);
  BEGIN
    INC(total, value)
  END Add;

BEGIN
  total := 0;
  WHILE l # NIL DO Add(l.value); l := l.next END;
  RETURN total
END Sum;

(* The append declared ahead:
   PROCEDURE Hidden; is inside the comment *)
PROCEDURE Append*(VAR l: List; value: INTEGER);
  VAR n: List; flags: SET;
BEGIN
  NEW(n); n.value := value; n.next := l; l := n;
  flags := {0, 2..4}
END Append;

BEGIN
  Out.String(Title); Out.Ln
END Lists.
