program Hello;
{ Prints a greeting,
  and counts the letters of each name }
uses Crt, Strings;

type
  TCount = integer;
  TGreeter = object
    Times: TCount;
    procedure Greet(name: string);
    function Letters(name: string): TCount;
  end;

var
  count: integer;
  greeter: TGreeter;

procedure TGreeter.Greet(name: string);
begin
  (* say it *)
  writeln('Hello, ', name, '!')
end;

function TGreeter.Letters(name: string): TCount;
var
  i, n: TCount;

  function IsLetter(c: char): boolean;

    function Upper(c: char): char;
    begin
      if (c >= 'a') and (c <= 'z') then
        Upper := chr(ord(c) - 32)
      else
        Upper := c
    end;

  begin
    IsLetter := Upper(c) in ['A'..'Z']
  end;

begin
  n := 0;
  for i := 1 to Length(name) do
    if IsLetter(name[i]) then n := n + 1;
  Letters := n
end;

procedure Report(total: TCount); forward;

procedure Report(total: TCount);
begin
  case total of
    0: writeln('nobody');
    1: writeln('one letter')
  otherwise
    writeln(total, ' letters')
  end
end;

BEGIN
  greeter.Times := 3;
  for count := 1 to greeter.Times do
  Begin
    greeter.Greet('world');
    Report(greeter.Letters('world'))
  End;
  repeat
    count := count - 1
  until count = 0
END.
