import math
from os import path

class Circle:
    """A circle of a given radius."""
    def __init__(self, radius):
        self.radius = radius  # in metres

    def area(self):
        return math.pi * self.radius ** 2

print('area:', Circle(2).area())
