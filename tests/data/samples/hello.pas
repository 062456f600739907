program Hello;
{ Prints a greeting }
uses Crt;

var
  count: integer;

procedure Greet(name: string);
begin
  (* say it *)
  writeln('Hello, ', name)
end;

begin
  for count := 1 to 3 do
    Greet('world')
end.
