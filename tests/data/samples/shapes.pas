unit Shapes;

{ Plane figures and their areas. }

interface

uses Objects, Math;

type
  TPoint = record
    X, Y: real;
  end;
  TKind = (Circle, Square);
  TAreaFunc = function(size: real): real;

function Area(kind: TKind; size: real): real;
procedure Move(var p: TPoint; dx, dy: real);

implementation

const
  Pi2 = 6.2831853;

function Area(kind: TKind; size: real): real;
begin
  case kind of
    Circle: Area := Pi2 / 2 * Sqr(size);
    Square: Area := Sqr(size)
  end
end;

procedure Move(var p: TPoint; dx, dy: real);
begin
  p.X := p.X + dx; p.Y := p.Y + dy
end;

procedure Beep; external 'sound';
function Clock: longint; C;

end.
